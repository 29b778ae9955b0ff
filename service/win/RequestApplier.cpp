#include "service/win/RequestApplier.h"

#include "applier/win/PlanRunner.h"
#include "framework/win/ExclusiveLock.h"

CRequestApplier::CRequestApplier(const CommandScope& scope) : scope_(scope) {}

bool CRequestApplier::Connect(DWORD session) {
    const CExclusiveLock held(lock_);
    return turns_.Connect(session);
}

void CRequestApplier::Disconnect(DWORD session) {
    const CExclusiveLock held(lock_);
    turns_.Disconnect(session);
}

bool CRequestApplier::Stopping() const { return WaitForSingleObject(scope_.stop, 0) == WAIT_OBJECT_0; }

bool CRequestApplier::AwaitTurn(uint64_t ticket) {
    const ULONGLONG end = GetTickCount64() + kTurnLimitMs;
    for (;;) {
        if (Stopping()) return false;
        if (turns_.IsTurn(ticket)) return true;
        const ULONGLONG now = GetTickCount64();
        if (now >= end) return false;
        SleepConditionVariableSRW(&turnChanged_, &lock_, static_cast<DWORD>(end - now), 0);
    }
}

SettingReply CRequestApplier::Apply(DWORD session, const ApplierPlan& plan) {
    uint64_t ticket = 0;
    {
        const CExclusiveLock held(lock_);
        ticket = turns_.Enter(session);
        if (ticket == 0) return SettingReply::Busy;
        if (!AwaitTurn(ticket)) {
            const bool stopping = Stopping();
            turns_.Leave(ticket);
            WakeAllConditionVariable(&turnChanged_);
            return stopping ? SettingReply::Failed : SettingReply::Busy;
        }
    }
    const bool ran = RunPlan(plan, scope_);
    {
        const CExclusiveLock held(lock_);
        turns_.Leave(ticket);
    }
    WakeAllConditionVariable(&turnChanged_);
    return ran ? SettingReply::Applied : SettingReply::Failed;
}

void CRequestApplier::WakeAll() {
    // Taken once, so that no request is between its look at the stop and
    // its sleep: each one sleeps already, or sees the stop.
    { const CExclusiveLock held(lock_); }
    WakeAllConditionVariable(&turnChanged_);
}
