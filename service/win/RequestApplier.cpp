#include "service/win/RequestApplier.h"

#include "applier/win/PlanRunner.h"

namespace {

// The lock of the sessions' shared state, held for one scope.
class CExclusive {
public:
    explicit CExclusive(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockExclusive(&lock_); }
    ~CExclusive() { ReleaseSRWLockExclusive(&lock_); }
    CExclusive(const CExclusive&) = delete;
    CExclusive& operator=(const CExclusive&) = delete;

private:
    SRWLOCK& lock_;
};

}  // namespace

CRequestApplier::CRequestApplier(const CommandScope& scope) : scope_(scope) {}

bool CRequestApplier::Connect(DWORD session) {
    const CExclusive held(lock_);
    return turns_.Connect(session);
}

void CRequestApplier::Disconnect(DWORD session) {
    const CExclusive held(lock_);
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
        const CExclusive held(lock_);
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
        const CExclusive held(lock_);
        turns_.Leave(ticket);
    }
    WakeAllConditionVariable(&turnChanged_);
    return ran ? SettingReply::Applied : SettingReply::Failed;
}

void CRequestApplier::WakeAll() {
    {
        const CExclusive held(lock_);
    }
    WakeAllConditionVariable(&turnChanged_);
}
