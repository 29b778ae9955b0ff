#include "service/SessionTurns.h"

#include <algorithm>

bool CSessionTurns::Connect(uint32_t session) {
    std::size_t& held = connections_[session];
    if (held >= kConnectionsPerSession) return false;
    ++held;
    return true;
}

void CSessionTurns::Disconnect(uint32_t session) {
    const auto held = connections_.find(session);
    if (held == connections_.end()) return;
    if (--held->second == 0) connections_.erase(held);
}

uint64_t CSessionTurns::Enter(uint32_t session) {
    const bool waiting = std::any_of(queue_.begin(), queue_.end(),
                                     [session](const Place& place) { return place.session == session; });
    if (waiting) return 0;
    queue_.push_back({++lastTicket_, session});
    return lastTicket_;
}

bool CSessionTurns::IsTurn(uint64_t ticket) const { return !queue_.empty() && queue_.front().ticket == ticket; }

void CSessionTurns::Leave(uint64_t ticket) {
    queue_.erase(std::remove_if(queue_.begin(), queue_.end(),
                                [ticket](const Place& place) { return place.ticket == ticket; }),
                 queue_.end());
}
