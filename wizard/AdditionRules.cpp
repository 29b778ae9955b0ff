#include "wizard/AdditionRules.h"

#include <algorithm>
#include <vector>

#include "resources/resource.h"
#include "wizard/AddressRules.h"

namespace additionrules {

namespace {

struct Subnet {
    uint32_t address;
    uint32_t mask;
};

enum class Placement { Host, NetworkOrBroadcast, Outside };

AdditionCheck Refused(int messageId, Part part, std::size_t index) { return AdditionCheck{messageId, part, index}; }

bool Contains(const std::vector<uint32_t>& values, uint32_t value) {
    return std::find(values.begin(), values.end(), value) != values.end();
}

AdditionCheck CheckAddresses(const tcppage::TcpValues& tcp, const ProfileExtension& e) {
    std::vector<uint32_t> seen{tcp.ipAddress};
    for (std::size_t i = 0; i < e.moreAddresses.size(); ++i) {
        const AddedAddress& a = e.moreAddresses[i];
        if (!addressrules::IsValidMask(a.subnetMask)) return Refused(IDS_BAD_MASK, Part::Mask, i);
        if (!addressrules::IsFirstFieldAllowed(a.ipAddress)) return Refused(IDS_IP_FIRST_FIELD, Part::Address, i);
        if ((a.ipAddress & a.subnetMask) == 0 || addressrules::IsNetworkOrBroadcast(a.ipAddress, a.subnetMask))
            return Refused(IDS_BAD_IP, Part::Address, i);
        if (Contains(seen, a.ipAddress)) return Refused(IDS_ADDRESS_TWICE, Part::Address, i);
        seen.push_back(a.ipAddress);
    }
    return AdditionCheck();
}

// Where `gateway` lies among the profile's subnets: a host of one of them,
// the network or broadcast address of one (and a host of none), or outside.
Placement PlaceGateway(uint32_t gateway, const std::vector<Subnet>& subnets) {
    Placement placement = Placement::Outside;
    for (const Subnet& s : subnets) {
        if ((gateway & s.mask) != (s.address & s.mask)) continue;
        if (!addressrules::IsNetworkOrBroadcast(gateway, s.mask)) return Placement::Host;
        placement = Placement::NetworkOrBroadcast;
    }
    return placement;
}

AdditionCheck CheckGateways(const tcppage::TcpValues& tcp, const ProfileExtension& e) {
    std::vector<Subnet> subnets{{tcp.ipAddress, tcp.subnetMask}};
    std::vector<uint32_t> addresses{tcp.ipAddress};
    for (const AddedAddress& a : e.moreAddresses) {
        subnets.push_back({a.ipAddress, a.subnetMask});
        addresses.push_back(a.ipAddress);
    }
    std::vector<uint32_t> seen;
    if (tcp.defaultGateway != 0) seen.push_back(tcp.defaultGateway);
    for (std::size_t i = 0; i < e.moreGateways.size(); ++i) {
        const AddedGateway& g = e.moreGateways[i];
        if (g.metric < extension::kMinMetric || g.metric > extension::kMaxMetric)
            return Refused(IDS_BAD_METRIC, Part::Metric, i);
        const Placement placement = PlaceGateway(g.defaultGateway, subnets);
        if (placement == Placement::Outside) return Refused(IDS_GATEWAY_OUTSIDE, Part::Gateway, i);
        if (placement == Placement::NetworkOrBroadcast) return Refused(IDS_BAD_GATEWAY, Part::Gateway, i);
        if (Contains(addresses, g.defaultGateway)) return Refused(IDS_IP_GATEWAY_SAME, Part::Gateway, i);
        if (Contains(seen, g.defaultGateway)) return Refused(IDS_GATEWAY_TWICE, Part::Gateway, i);
        seen.push_back(g.defaultGateway);
    }
    return AdditionCheck();
}

AdditionCheck CheckDnsServers(const tcppage::TcpValues& tcp, const ProfileExtension& e) {
    if (!e.moreDnsServers.empty() && (tcp.preferredDns == 0 || tcp.alternateDns == 0))
        return Refused(IDS_MORE_DNS_AFTER_TWO, Part::DnsServer, 0);
    std::vector<uint32_t> seen{tcp.preferredDns, tcp.alternateDns};
    for (std::size_t i = 0; i < e.moreDnsServers.size(); ++i) {
        const uint32_t server = e.moreDnsServers[i];
        if (server == 0) return Refused(IDS_BAD_MORE_DNS, Part::DnsServer, i);
        if (!addressrules::IsFirstFieldAllowed(server)) return Refused(IDS_MORE_DNS_FIRST_FIELD, Part::DnsServer, i);
        if (Contains(seen, server)) return Refused(IDS_DNS_TWICE, Part::DnsServer, i);
        seen.push_back(server);
    }
    return AdditionCheck();
}

}  // namespace

AdditionCheck CheckAdditions(const tcppage::TcpValues& tcp, const ProfileExtension& additions) {
    if (tcp.ipMode == 1) {
        const AdditionCheck addresses = CheckAddresses(tcp, additions);
        if (!addresses.Passed()) return addresses;
        const AdditionCheck gateways = CheckGateways(tcp, additions);
        if (!gateways.Passed()) return gateways;
    }
    if (tcp.dnsMode == 1) {
        const AdditionCheck servers = CheckDnsServers(tcp, additions);
        if (!servers.Passed()) return servers;
    }
    if (!additions.dnsSuffix.empty() && !extension::IsDnsSuffix(additions.dnsSuffix))
        return Refused(IDS_BAD_SUFFIX, Part::Suffix, 0);
    return AdditionCheck();
}

ProfileExtension UsedAdditions(const tcppage::TcpValues& tcp, ProfileExtension additions) {
    if (tcp.ipMode != 1) {
        additions.moreAddresses.clear();
        additions.moreGateways.clear();
    }
    if (tcp.dnsMode != 1) additions.moreDnsServers.clear();
    return additions;
}

}  // namespace additionrules
