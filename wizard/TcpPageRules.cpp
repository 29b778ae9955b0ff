#include "wizard/TcpPageRules.h"

#include "resources/resource.h"
#include "wizard/AddressRules.h"

namespace tcppage {

namespace {

constexpr int kAllFields = 4;

bool Complete(const AddressField& f) { return f.filled == kAllFields; }
bool PartlyFilled(const AddressField& f) { return f.filled > 0 && f.filled < kAllFields; }
// A control's value as Next stores it: only a completely filled control counts.
uint32_t Stored(const AddressField& f) { return Complete(f) ? f.value : 0; }

TcpCheck Failure(int messageId, int focusId) {
    TcpCheck check;
    check.messageId = messageId;
    check.focusId = focusId;
    return check;
}

uint32_t AsTyped(const AddressField& f) { return f.value; }

// The seven values, each address control read by `read`.
TcpValues Values(const TcpInput& in, uint32_t (*read)(const AddressField&)) {
    TcpValues v;
    v.ipMode = in.fixedIp ? 1 : 0;
    v.ipAddress = read(in.address);
    v.subnetMask = read(in.mask);
    v.defaultGateway = read(in.gateway);
    v.dnsMode = in.dnsByHand ? 1 : 0;
    v.preferredDns = read(in.preferredDns);
    v.alternateDns = read(in.alternateDns);
    return v;
}

// Steps 1 to 5: the address, mask and gateway controls themselves.
TcpCheck CheckAddressControls(const TcpInput& in) {
    if (!Complete(in.address)) return Failure(IDS_BAD_IP, IDC_TCP_IP_ADDRESS);
    if (!addressrules::IsFirstFieldAllowed(in.address.value)) return Failure(IDS_IP_FIRST_FIELD, IDC_TCP_IP_ADDRESS);
    if (!Complete(in.mask) || !addressrules::IsValidMask(in.mask.value)) return Failure(IDS_BAD_MASK, IDC_TCP_SUBNET_MASK);
    if (PartlyFilled(in.gateway)) return Failure(IDS_BAD_GATEWAY, IDC_TCP_GATEWAY);
    return TcpCheck();
}

// Steps 6 to 10, with the move of a lone alternate server in between.
TcpCheck CheckDnsControls(const TcpInput& in, TcpValues& values) {
    if (PartlyFilled(in.preferredDns)) return Failure(IDS_BAD_DNS1, IDC_TCP_PREFERRED_DNS);
    if (!addressrules::IsFirstFieldAllowed(in.preferredDns.value))
        return Failure(IDS_DNS1_FIRST_FIELD, IDC_TCP_PREFERRED_DNS);
    if (PartlyFilled(in.alternateDns)) return Failure(IDS_BAD_DNS2, IDC_TCP_ALTERNATE_DNS);
    if (values.alternateDns != 0 && !addressrules::IsFirstFieldAllowed(values.alternateDns))
        return Failure(IDS_DNS2_FIRST_FIELD, IDC_TCP_ALTERNATE_DNS);
    if (values.preferredDns == 0 && values.alternateDns != 0) {
        values.preferredDns = values.alternateDns;
        values.alternateDns = 0;
    }
    if (values.preferredDns != 0 && values.preferredDns == values.alternateDns)
        return Failure(IDS_DNS_SAME, IDC_TCP_ALTERNATE_DNS);
    return TcpCheck();
}

// Steps 11 to 13: address and gateway against the mask and each other.
TcpCheck CheckNetwork(const TcpValues& v) {
    if ((v.ipAddress & v.subnetMask) == 0 || addressrules::IsNetworkOrBroadcast(v.ipAddress, v.subnetMask))
        return Failure(IDS_BAD_IP, IDC_TCP_IP_ADDRESS);
    if (v.defaultGateway == 0) return TcpCheck();
    if (addressrules::IsNetworkOrBroadcast(v.defaultGateway, v.subnetMask))
        return Failure(IDS_BAD_GATEWAY, IDC_TCP_GATEWAY);
    if (v.defaultGateway == v.ipAddress) return Failure(IDS_IP_GATEWAY_SAME, IDC_TCP_GATEWAY);
    return TcpCheck();
}

}  // namespace

bool TcpValues::operator==(const TcpValues& o) const {
    return ipMode == o.ipMode && ipAddress == o.ipAddress && subnetMask == o.subnetMask &&
           defaultGateway == o.defaultGateway && dnsMode == o.dnsMode && preferredDns == o.preferredDns &&
           alternateDns == o.alternateDns;
}

TcpCheck CheckTcpPage(const TcpInput& input) {
    TcpCheck result;
    result.values = Values(input, &Stored);
    if (input.fixedIp) {
        const TcpCheck controls = CheckAddressControls(input);
        if (!controls.Passed()) return controls;
    }
    if (input.dnsByHand) {
        const TcpCheck dns = CheckDnsControls(input, result.values);
        if (!dns.Passed()) return dns;
    }
    if (input.fixedIp) {
        const TcpCheck network = CheckNetwork(result.values);
        if (!network.Passed()) return network;
    }
    return result;
}

TcpValues ValuesAsTyped(const TcpInput& input) { return Values(input, &AsTyped); }

void WriteTcpValues(const TcpValues& v, ProfileRecord& r) {
    r.ipMode = v.ipMode;
    r.ipAddress = v.ipAddress;
    r.subnetMask = v.subnetMask;
    r.defaultGateway = v.defaultGateway;
    r.dnsMode = v.dnsMode;
    r.preferredDns = v.preferredDns;
    r.alternateDns = v.alternateDns;
}

TcpValues ReadTcpValues(const ProfileRecord& r) {
    TcpValues v;
    v.ipMode = r.ipMode;
    v.ipAddress = r.ipAddress;
    v.subnetMask = r.subnetMask;
    v.defaultGateway = r.defaultGateway;
    v.dnsMode = r.dnsMode;
    v.preferredDns = r.preferredDns;
    v.alternateDns = r.alternateDns;
    return v;
}

}  // namespace tcppage
