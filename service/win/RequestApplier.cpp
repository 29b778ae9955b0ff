#include "service/win/RequestApplier.h"

#include "applier/win/PlanRunner.h"

CRequestApplier::CRequestApplier(HANDLE stop) : stop_(stop), turn_(CreateMutexW(nullptr, FALSE, nullptr)) {}

SettingReply CRequestApplier::Answer(const uint8_t* message, std::size_t size) {
    const ApplierPlan plan = PlanSettingRequest(message, size);
    if (plan.refused) return SettingReply::Refused;
    const HANDLE waits[] = {turn_.Get(), stop_};
    const DWORD waited = WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED_0) return SettingReply::Failed;
    const bool ran = RunPlan(plan, stop_);
    ReleaseMutex(turn_.Get());
    return ran ? SettingReply::Applied : SettingReply::Failed;
}
