#pragma once
// How many requests of each client session the event log takes: at most
// kLoggedPerWindow in a window of kLogWindowMs that the session's first
// logged request opens. The requests beyond are counted, and the count is
// owed to the log as one summary: at the session's first request after its
// window, or at the service's stop. The caller guards it against use from
// two threads at once.
#include <cstdint>
#include <map>
#include <vector>

inline constexpr uint32_t kLoggedPerWindow = 30;
inline constexpr uint64_t kLogWindowMs = 60000;

struct LeftOutRequests {
    uint32_t sessionId;
    uint32_t count;
};

// What the log gets for one request: first the summary of `leftOut`
// requests of the session's last window (none when 0), then the request's
// own event when `logged`.
struct LogDecision {
    uint32_t leftOut;
    bool logged;
};

class CRequestLogLimit {
public:
    // A request of `sessionId` at `nowMs`, of a clock that never goes back.
    LogDecision Admit(uint32_t sessionId, uint64_t nowMs);
    // The summaries still owed, each handed out once.
    std::vector<LeftOutRequests> TakeLeftOut();

private:
    struct Window {
        uint64_t startMs;
        uint32_t logged;
        uint32_t leftOut;
    };
    // Windows that are over and owe nothing are forgotten.
    void ForgetSettled(uint64_t nowMs);

    std::map<uint32_t, Window> windows_;
};
