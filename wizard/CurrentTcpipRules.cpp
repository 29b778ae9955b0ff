#include "wizard/CurrentTcpipRules.h"

#include <algorithm>

namespace currenttcpip {

namespace {

// The address part; true when a fixed adapter turned out to have no address.
bool FillAddress(ProfileRecord& r, const AdapterValues& adapter) {
    if (!adapter.found) return false;
    if (adapter.dhcpEnabled) {
        r.ipMode = 0;
        r.ipAddress = r.subnetMask = r.defaultGateway = 0;
        return false;
    }
    r.ipMode = 1;
    r.ipAddress = adapter.address;
    r.subnetMask = adapter.mask;
    r.defaultGateway = adapter.gateway;
    if (r.ipAddress != 0 || r.subnetMask != 0) return false;
    r.defaultGateway = 0;
    return true;
}

void FillDns(ProfileRecord& r, const DnsValues& dns) {
    if (dns.nameServer == NameServer::Empty) {
        r.dnsMode = 0;
        r.preferredDns = r.alternateDns = 0;
        return;
    }
    r.dnsMode = 1;
    r.preferredDns = dns.servers.empty() ? 0 : dns.servers[0];
    if (dns.servers.size() > 1) r.alternateDns = dns.servers[1];
}

// Those of `values` that are not in `taken`, in order, at most `limit`.
template <typename T, typename Key>
std::vector<T> Others(const std::vector<T>& values, const std::vector<uint32_t>& taken, std::size_t limit, Key key) {
    std::vector<T> others;
    for (const T& value : values)
        if (others.size() < limit && std::find(taken.begin(), taken.end(), key(value)) == taken.end())
            others.push_back(value);
    return others;
}

}  // namespace

void FillAdditions(const ProfileRecord& r, const AdapterAdditions& adapter, ProfileExtension& e) {
    e.moreAddresses.clear();
    e.moreGateways.clear();
    e.moreDnsServers.clear();
    e.dnsSuffix.clear();
    if (r.ipMode == 1) {
        e.moreAddresses = Others(adapter.addresses, {r.ipAddress}, extension::kMaxMoreAddresses,
                                 [](const AddedAddress& a) { return a.ipAddress; });
        e.moreGateways = Others(adapter.gateways, {r.defaultGateway}, extension::kMaxMoreGateways,
                                [](const AddedGateway& g) { return g.defaultGateway; });
        for (AddedGateway& g : e.moreGateways)
            if (g.metric < extension::kMinMetric || g.metric > extension::kMaxMetric) g.metric = extension::kMinMetric;
        if (extension::IsDnsSuffix(adapter.dnsSuffix)) e.dnsSuffix = adapter.dnsSuffix;
    }
    if (r.dnsMode == 1 && r.preferredDns != 0 && r.alternateDns != 0)
        e.moreDnsServers = Others(adapter.dnsServers, {r.preferredDns, r.alternateDns}, extension::kMaxMoreDnsServers,
                                  [](uint32_t server) { return server; });
}

void FillTcpipFields(ProfileRecord& record, const AdapterValues& adapter, const DnsValues* dns) {
    const bool noAddress = FillAddress(record, adapter);
    if (dns == nullptr) return;
    FillDns(record, *dns);
    if (noAddress) record.ipMode = record.dnsMode = 0;
}

}  // namespace currenttcpip
