#include "switching/CheckLogic.h"

#include "system/Tools.h"

namespace checks {

namespace {

// One "%d" of a dotted text at `pos`: blanks, an optional sign, digits.
bool ReadNumber(const Text& s, std::size_t& pos, long& value) {
    while (pos < s.size() && (s[pos] == u' ' || s[pos] == u'\t' || s[pos] == u'\r' || s[pos] == u'\n')) ++pos;
    bool negative = false;
    if (pos < s.size() && (s[pos] == u'-' || s[pos] == u'+')) negative = s[pos++] == u'-';
    const std::size_t first = pos;
    long v = 0;
    while (pos < s.size() && s[pos] >= u'0' && s[pos] <= u'9') {
        if (v < 100000) v = v * 10 + (s[pos] - u'0');
        ++pos;
    }
    if (pos == first) return false;
    value = negative ? -v : v;
    return true;
}

// The first two numbers of the dotted text are 169 and 254.
bool IsLinkLocal(const Text& address) {
    std::size_t pos = 0;
    long first = 0, second = 0;
    if (!ReadNumber(address, pos, first)) return false;
    if (pos >= address.size() || address[pos] != u'.') return false;
    ++pos;
    if (!ReadNumber(address, pos, second)) return false;
    return first == 169 && second == 254;
}

// The adapter has no default gateway: Windows keeps none as an empty value;
// "0.0.0.0" says the same.
bool NoGateway(const Text& gateway) { return gateway.empty() || gateway == u"0.0.0.0"; }

int FixedAddressCheck(const ProfileRecord& r, const AdapterState& adapter) {
    const CTools tools;
    const bool sameGateway = r.defaultGateway == 0 ? NoGateway(adapter.gateway)
                                                   : tools.AddressToText(r.defaultGateway) == adapter.gateway;
    const bool same = tools.AddressToText(r.ipAddress) == adapter.ip &&
                      tools.AddressToText(r.subnetMask) == adapter.mask && sameGateway;
    return same ? kAddressPassed : kAddressMismatch;
}

int DhcpAddressCheck(const AdapterState& adapter) {
    if (!adapter.connected) return kAddressNotConnected;
    if (adapter.ip.empty()) return kAddressMissing;
    if (adapter.ip == u"0.0.0.0") return kAddressZero;
    if (IsLinkLocal(adapter.ip)) return kAddressLinkLocal;
    return kAddressPassed;
}

}  // namespace

int EchoReplyVerdict(unsigned long status, std::uint32_t replyAddress, std::uint32_t target) {
    return status == kEchoSucceeded && replyAddress == target ? 0 : -1;
}

int AddressCheck(const CProfileData& profile, const AdapterState& adapter) {
    const ProfileRecord& r = profile.Record();
    return r.ipMode == 1 ? FixedAddressCheck(r, adapter) : DhcpAddressCheck(adapter);
}

int AddressCheckBits(int result) {
    switch (result) {
    case kAddressPassed:
        return 0;
    case kAddressLinkLocal:
        return kLinkLocal;
    case kAddressZero:
    case kAddressNotConnected:
    case kAddressMissing:
        return kNoAddress;
    default:
        return result < 0 ? kAddressDiffers : 0;
    }
}

int PingCheck(const CProfileData& profile, const AdapterState& adapter, CCheckProbes& probes) {
    if (AddressCheck(profile, adapter) == kAddressNotConnected) return kAddressNotConnected;
    if (NoGateway(adapter.gateway)) return 0;
    return probes.SendEcho(adapter.gateway);
}

int RunAll(const CProfileData& profile, CCheckProbes& probes, AdapterState& adapter) {
    const ProfileRecord& r = profile.Record();
    adapter = AdapterState{};
    if (r.checkDhcp == 1 || r.checkPingGateway == 1) {
        adapter.mac = profile.GetText(ProfileText::macAddress);
        const Text guid = probes.FindAdapterGuid(adapter.mac);
        if (guid.empty()) return kAdapterUnknown;
        if (!probes.ReadCurrentIPv4(guid, adapter.ip, adapter.mask, adapter.gateway)) return kAdapterUnknown;
    }
    adapter.connected = probes.IsConnected(adapter.mac);

    int bits = 0;
    if (r.checkDhcp == 1) bits |= AddressCheckBits(AddressCheck(profile, adapter));
    if (r.checkPingGateway == 1 && PingCheck(profile, adapter, probes) < 0) bits |= kPingFailed;
    if (r.checkUrlEnabled == 1 && probes.HttpGet(profile.GetText(ProfileText::checkUrl)) < 0) bits |= kHttpFailed;
    return bits;
}

}  // namespace checks
