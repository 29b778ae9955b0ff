#include "switching/AutoSwitch.h"

#include "system/MacText.h"

namespace {

constexpr int kSwitchesPerChange = 2;

bool OnConnection(const AutoCandidate& profile, const ConnectionState& state) {
    return mactext::Same(profile.macAddress, state.macAddress);
}

// The one profile of the connection with this fall-back that is not in
// force already; 0 when there is none (or it is in force).
int32_t FallbackProfile(const std::vector<AutoCandidate>& profiles, const ConnectionState& state, ProfileExtension::Fallback kind) {
    for (const AutoCandidate& p : profiles)
        if (p.fallback == kind && OnConnection(p, state)) return p.inForce ? 0 : p.profileId;
    return 0;
}

}  // namespace

bool CAutoSwitch::OwnDoing(uint64_t nowMs) const {
    return switching_ || (settling_ && nowMs - switchEndedMs_ < kOwnChangeMs);
}

CAutoSwitch::Change& CAutoSwitch::Follow(const ConnectionState& state, uint64_t nowMs) {
    const Text key = text::UpperAscii(state.macAddress);
    Change& change = changes_[key];
    if (change.connected != state.connected || change.network != state.network) {
        // A new change of network, unless the program's own switch made it.
        if (!OwnDoing(nowMs)) {
            const Change fresh;
            change = fresh;
        }
        change.connected = state.connected;
        change.network = state.network;
    }
    if (settling_ && !switching_ && key == switchedKey_ && state.HasAssignedAddress()) settling_ = false;
    const bool waiting = state.connected && state.dhcp && !state.HasAssignedAddress();
    if (!waiting)
        change.waitingSinceMs = 0;
    else if (change.waitingSinceMs == 0)
        change.waitingSinceMs = nowMs == 0 ? 1 : nowMs;
    return change;
}

int32_t CAutoSwitch::Decide(const WatchedConnection& connection, const Change& change,
                            const std::vector<AutoCandidate>& profiles, uint64_t nowMs) const {
    const ConnectionState& state = connection.state;
    if (!state.connected || change.switches >= kSwitchesPerChange || change.byHand || change.declined) return 0;
    // The network's own profile, when exactly one matches it.
    const AutoCandidate* own = nullptr;
    int matching = 0;
    for (const AutoCandidate& p : profiles)
        if (p.automatic && OnConnection(p, state) && IsOnRecordedNetwork(p.network, state.network)) {
            own = &p;
            ++matching;
        }
    if (matching > 1) return 0;
    if (matching == 1) return own->inForce ? 0 : own->profileId;
    // Otherwise a fall-back.
    const bool madeUp = !state.addresses.empty() && !state.HasAssignedAddress();
    if (change.waitingSinceMs != 0 && (madeUp || nowMs - change.waitingSinceMs >= kDhcpWaitMs))
        return FallbackProfile(profiles, state, ProfileExtension::Fallback::NoDhcp);
    if (!state.dhcp && !connection.gatewayAnswers) return FallbackProfile(profiles, state, ProfileExtension::Fallback::GatewayLost);
    return 0;
}

int32_t CAutoSwitch::Look(const std::vector<WatchedConnection>& connections, const std::vector<AutoCandidate>& profiles,
                          uint64_t nowMs, bool switchRunning) {
    int32_t chosen = 0;
    for (const WatchedConnection& connection : connections) {
        const Change& change = Follow(connection.state, nowMs);
        if (chosen == 0 && !switchRunning && !switching_) chosen = Decide(connection, change, profiles, nowMs);
    }
    return chosen;
}

void CAutoSwitch::SwitchStarted(const Text& macAddress, bool automatic, uint64_t nowMs) {
    (void)nowMs;
    switching_ = true;
    switchedKey_ = text::UpperAscii(macAddress);
    Change& change = changes_[switchedKey_];
    if (automatic)
        ++change.switches;
    else
        change.byHand = true;
}

void CAutoSwitch::SwitchEnded(uint64_t nowMs) {
    switching_ = false;
    settling_ = true;
    switchEndedMs_ = nowMs;
}

void CAutoSwitch::Declined(const Text& macAddress) { changes_[text::UpperAscii(macAddress)].declined = true; }
