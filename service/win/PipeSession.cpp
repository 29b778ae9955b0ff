#include "service/win/PipeSession.h"

#include <vector>

#include "service/win/ManagedRequests.h"
#include "service/win/PipeIo.h"
#include "service/win/RequestLog.h"
#include "system/win/RegistrySetting.h"

namespace {

// The reply to one request of `client` (`whole`: it fitted in one message
// of its size): not permitted unless the service serves the client's
// users; refused when it is no whole record or the applier's plan refuses
// it; in managed mode not permitted unless it is a profile of the data
// file; otherwise whatever applying it gave.
SettingReply AnswerRequest(const RequestClient& client, ServiceUsers users, const uint8_t* message, std::size_t size,
                           bool whole, CRequestApplier& applier) {
    if (!IsClientAdmitted(users, client.membership)) return SettingReply::NotPermitted;
    if (!whole) return SettingReply::Refused;
    const ApplierPlan plan = PlanSettingRequest(message, size);
    if (plan.refused) return SettingReply::Refused;
    // Managed: nothing but a profile of the protected data file, read now;
    // the policy may change while the service runs.
    if (ReadManagedProfiles() && !IsManagedRequestApproved(message, size)) return SettingReply::NotPermitted;
    return applier.Apply(client.sessionId, plan);
}

}  // namespace

void ServeClient(HANDLE pipe, RequestClient& client, ServiceUsers users, CRequestApplier& applier) {
    std::vector<uint8_t> message(kSettingRequestMaxSize);
    DWORD size = 0;
    const DWORD read = ReadMessage(pipe, message.data(), static_cast<DWORD>(message.size()), size,
                                   applier.Stop(), kClientLimitMs);
    if (read != ERROR_SUCCESS && read != ERROR_MORE_DATA) return;
    if (!ReadPipeClientToken(pipe, client)) return;
    const bool whole = read == ERROR_SUCCESS;
    const SettingReply reply = AnswerRequest(client, users, message.data(), size, whole, applier);

    uint8_t bytes[kSettingReplySize];
    EncodeSettingReply(reply, bytes);
    WriteMessage(pipe, bytes, sizeof(bytes), applier.Stop(), kClientLimitMs);
    LogRequest(client, message.data(), whole ? size : 0, reply);
    AwaitClientGone(pipe, applier.Stop());
}
