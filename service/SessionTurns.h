#pragma once
// What one client session may hold of the setting service, so that no
// session can keep another waiting: a few connections at a time, and one
// request queued or running. Requests are applied one at a time, in the
// order they came; a session's second request while its first is queued
// or running is turned away at once. Portable: the service's threads take
// a lock around every call.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>

class CSessionTurns {
public:
    // Connections one session may hold at a time; a further one is closed
    // at once.
    static constexpr std::size_t kConnectionsPerSession = 4;

    // False when the session holds kConnectionsPerSession already.
    bool Connect(uint32_t session);
    void Disconnect(uint32_t session);

    // A place in the queue for the session's request (a ticket, never 0),
    // or 0 when the session has a request queued or running already.
    uint64_t Enter(uint32_t session);
    // Whether the ticket's request is the one to run now.
    bool IsTurn(uint64_t ticket) const;
    // The request ran or gave up its place.
    void Leave(uint64_t ticket);

private:
    struct Place {
        uint64_t ticket;
        uint32_t session;
    };
    std::map<uint32_t, std::size_t> connections_;
    std::deque<Place> queue_;
    uint64_t lastTicket_ = 0;
};
