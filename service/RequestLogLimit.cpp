#include "service/RequestLogLimit.h"

LogDecision CRequestLogLimit::Admit(uint32_t sessionId, uint64_t nowMs) {
    ForgetSettled(nowMs);
    const auto found = windows_.find(sessionId);
    if (found == windows_.end() || nowMs - found->second.startMs >= kLogWindowMs) {
        const uint32_t owed = found == windows_.end() ? 0 : found->second.leftOut;
        windows_[sessionId] = Window{nowMs, 1, 0};
        return {owed, true};
    }
    Window& window = found->second;
    if (window.logged < kLoggedPerWindow) {
        ++window.logged;
        return {0, true};
    }
    if (window.leftOut < UINT32_MAX) ++window.leftOut;
    return {0, false};
}

std::vector<LeftOutRequests> CRequestLogLimit::TakeLeftOut() {
    std::vector<LeftOutRequests> owed;
    for (auto& [sessionId, window] : windows_) {
        if (window.leftOut > 0) owed.push_back({sessionId, window.leftOut});
        window.leftOut = 0;
    }
    return owed;
}

void CRequestLogLimit::ForgetSettled(uint64_t nowMs) {
    for (auto it = windows_.begin(); it != windows_.end();) {
        if (it->second.leftOut == 0 && nowMs - it->second.startMs >= kLogWindowMs)
            it = windows_.erase(it);
        else
            ++it;
    }
}
