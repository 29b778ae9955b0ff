#include "wizard/CurrentTcpipRules.h"

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

}  // namespace

void FillTcpipFields(ProfileRecord& record, const AdapterValues& adapter, const DnsValues* dns) {
    const bool noAddress = FillAddress(record, adapter);
    if (dns == nullptr) return;
    FillDns(record, *dns);
    if (noAddress) record.ipMode = record.dnsMode = 0;
}

}  // namespace currenttcpip
