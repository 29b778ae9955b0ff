#pragma once
// Applies the requests of every client, one at a time and in the order
// they came, with no session holding more than one place (CSessionTurns);
// the one lock of the service's sessions guards it.
#include <windows.h>

#include "applier/ApplierPlan.h"
#include "applier/SettingRequest.h"
#include "applier/win/CommandRunner.h"
#include "service/SessionTurns.h"

// How long a request may wait for its turn: longer than the longest one
// run (its commands' bounds and the pause) may take.
inline constexpr DWORD kTurnLimitMs = 3 * kCommandBoundMs + 2 * kApplierPauseMs;

class CRequestApplier {
public:
    // `scope`: the service's stop event, which ends every wait, the pause
    // and a running command, and the job its commands run in.
    explicit CRequestApplier(const CommandScope& scope);
    CRequestApplier(const CRequestApplier&) = delete;
    CRequestApplier& operator=(const CRequestApplier&) = delete;

    HANDLE Stop() const { return scope_.stop; }

    // A connection of `session` begins or ends; false when the session
    // holds as many as it may (the connection is closed at once).
    bool Connect(DWORD session);
    void Disconnect(DWORD session);

    // Runs `plan` for a client of `session` once it is its turn. Busy when
    // the session has a request queued or running already, or the turn did
    // not come within kTurnLimitMs; Failed when the service stopped
    // meanwhile or a command failed; Applied otherwise.
    SettingReply Apply(DWORD session, const ApplierPlan& plan);

    // The service stops: every request waiting for its turn gives up.
    void WakeAll();

private:
    // Waits (the lock held) until `ticket` is the one to run; false when the
    // time is up or the service stops.
    bool AwaitTurn(uint64_t ticket);
    bool Stopping() const;

    CommandScope scope_;
    SRWLOCK lock_ = SRWLOCK_INIT;
    CONDITION_VARIABLE turnChanged_ = CONDITION_VARIABLE_INIT;
    CSessionTurns turns_;
};
