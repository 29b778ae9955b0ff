#include "switching/ProfileInForce.h"

#include <algorithm>
#include <utility>

#include "system/MacText.h"

namespace {

std::vector<uint32_t> Sorted(std::vector<uint32_t> values) {
    std::sort(values.begin(), values.end());
    return values;
}

// Each address with its mask, in a fixed order.
std::vector<std::pair<uint32_t, uint32_t>> Sorted(const std::vector<AddressWithMask>& values) {
    std::vector<std::pair<uint32_t, uint32_t>> pairs;
    for (const AddressWithMask& a : values) pairs.emplace_back(a.address, a.mask);
    std::sort(pairs.begin(), pairs.end());
    return pairs;
}

// The profile's DNS servers in their order: preferred, alternate, the added ones.
std::vector<uint32_t> DnsServers(const CProfileData& profile) {
    std::vector<uint32_t> servers;
    for (uint32_t server : {profile.Record().preferredDns, profile.Record().alternateDns})
        if (server != 0) servers.push_back(server);
    for (uint32_t server : profile.Extension().moreDnsServers) servers.push_back(server);
    return servers;
}

bool SameAddresses(const CProfileData& profile, const ConnectionState& connection) {
    std::vector<AddressWithMask> wanted = {{profile.Record().ipAddress, profile.Record().subnetMask}};
    for (const AddedAddress& a : profile.Extension().moreAddresses) wanted.push_back({a.ipAddress, a.subnetMask});
    return Sorted(wanted) == Sorted(connection.addresses);
}

bool SameGateways(const CProfileData& profile, const ConnectionState& connection) {
    std::vector<uint32_t> wanted;
    const uint32_t gateway = profile.Record().defaultGateway;  // a copy: the record is packed
    if (gateway != 0) wanted.push_back(gateway);
    for (const AddedGateway& g : profile.Extension().moreGateways) wanted.push_back(g.defaultGateway);
    return Sorted(wanted) == Sorted(connection.gateways);
}

}  // namespace

bool IsInForce(const CProfileData& profile, const ConnectionState& connection) {
    const ProfileRecord& r = profile.Record();
    if (!connection.connected || !mactext::Same(profile.GetText(ProfileText::macAddress), connection.macAddress))
        return false;
    const bool byHand = r.dnsMode == 1;
    if (byHand && DnsServers(profile) != connection.dnsServers) return false;
    if (r.ipMode == 1) return !connection.dhcp && SameAddresses(profile, connection) && SameGateways(profile, connection);
    if (!connection.dhcp || !connection.HasAssignedAddress()) return false;
    const RecordedNetwork& recorded = profile.Extension().network;
    return recorded.Empty() || IsOnRecordedNetwork(recorded, connection.network);
}

int ProfileInForce(const std::vector<CProfileData>& profiles, const std::vector<ConnectionState>& connections,
                   int32_t lastAppliedId) {
    std::vector<int> inForce;
    for (std::size_t i = 0; i < profiles.size(); ++i)
        for (const ConnectionState& connection : connections)
            if (IsInForce(profiles[i], connection)) inForce.push_back(static_cast<int>(i));
    if (inForce.size() == 1) return inForce.front();
    for (int i : inForce)
        if (lastAppliedId != 0 && profiles[static_cast<std::size_t>(i)].Record().profileId == lastAppliedId) return i;
    return -1;
}
