#pragma once
// Arriving is switching: which profile the program applies by itself when
// the laptop joins a network, decided from snapshots of the connections.
// Portable: the main program takes the snapshots, asks, and runs the
// ordinary switch for the answer.
//
// It never switches while a switch runs; never more than twice for one
// change of network (a fall-back, then the network's own profile); never
// when two automatic profiles match the network (the user chooses); never
// over a profile the user applied by hand, or after the user declined,
// while the network stays the same; and a change of network that the
// program's own switch caused (a DHCP lease after a switch to DHCP, say)
// starts nothing new: it belongs to the change that led to that switch.
#include <cstdint>
#include <map>
#include <vector>

#include "framework/Text.h"
#include "profile/ProfileExtension.h"
#include "switching/ConnectionState.h"

// A profile as the decision sees it.
struct AutoCandidate {
    int32_t profileId = 0;
    Text macAddress;          // its connection
    bool automatic = false;   // applied when the laptop joins its recorded network
    ProfileExtension::Fallback fallback = ProfileExtension::Fallback::None;
    RecordedNetwork network;  // the network it recorded
    bool inForce = false;     // its settings are in force now (IsInForce)
};

// A connection as the decision sees it.
struct WatchedConnection {
    ConnectionState state;
    // For a fixed-address connection: whether its gateway answered the last
    // ping (true when it was not asked).
    bool gatewayAnswers = true;
};

class CAutoSwitch {
public:
    // How long a connection may wait for a DHCP server before its "no DHCP
    // server answers" profile applies; an address the system made up itself
    // (169.254.x.x: Windows gave up) counts at once.
    static constexpr uint64_t kDhcpWaitMs = 60000;
    // After the program's own switch ended, changes of the network count as
    // its doing until its connection has an address again (the network has
    // settled), for this long at most.
    static constexpr uint64_t kOwnChangeMs = 20000;

    // One look: the profileId to apply now, or 0.
    int32_t Look(const std::vector<WatchedConnection>& connections, const std::vector<AutoCandidate>& profiles,
                 uint64_t nowMs, bool switchRunning);
    // A switch of `profileId` started: one that Look asked for (automatic),
    // or one the user asked for by hand (the button, the jump list, the
    // command line) on the connection of `macAddress`.
    void SwitchStarted(const Text& macAddress, bool automatic, uint64_t nowMs);
    void SwitchEnded(uint64_t nowMs);
    // The user declined the automatic switch of the connection's change.
    void Declined(const Text& macAddress);

private:
    // What one change of a connection's network has seen so far.
    struct Change {
        RecordedNetwork network;
        bool connected = false;
        int switches = 0;        // automatic switches for this change
        bool byHand = false;     // the user applied a profile meanwhile
        bool declined = false;
        uint64_t waitingSinceMs = 0;  // without a DHCP address since; 0: has one, or not DHCP
    };
    Change& Follow(const ConnectionState& state, uint64_t nowMs);
    int32_t Decide(const WatchedConnection& connection, const Change& change,
                   const std::vector<AutoCandidate>& profiles, uint64_t nowMs) const;
    bool OwnDoing(uint64_t nowMs) const;

    std::map<Text, Change> changes_;  // by the connection's MAC text, upper case
    bool switching_ = false;
    uint64_t switchEndedMs_ = 0;
    bool settling_ = false;  // a switch ended and its connection has not settled yet
    Text switchedKey_;       // that connection (its MAC text, upper case)
};
