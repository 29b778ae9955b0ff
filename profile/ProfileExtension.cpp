#include "profile/ProfileExtension.h"

#include <algorithm>

namespace {

constexpr std::size_t kMaxLabelChars = 63;

bool IsLetterOrDigit(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

bool IsLabel(const Text& label) {
    if (label.empty() || label.size() > kMaxLabelChars || label.front() == u'-' || label.back() == u'-') return false;
    return std::all_of(label.begin(), label.end(), [](char16_t c) { return IsLetterOrDigit(c) || c == u'-'; });
}

}  // namespace

bool ProfileExtension::HasAdditions() const {
    return !moreAddresses.empty() || !moreGateways.empty() || !moreDnsServers.empty() || !dnsSuffix.empty();
}

bool ProfileExtension::Empty() const {
    return !HasAdditions() && network.Empty() && !automatic && fallback == Fallback::None && otherKeys.empty();
}

bool ProfileExtension::operator==(const ProfileExtension& o) const {
    return moreAddresses == o.moreAddresses && moreGateways == o.moreGateways && moreDnsServers == o.moreDnsServers &&
           dnsSuffix == o.dnsSuffix && network == o.network && automatic == o.automatic && fallback == o.fallback &&
           otherKeys == o.otherKeys;
}

namespace extension {

bool IsDnsSuffix(const Text& suffix) {
    if (suffix.empty() || suffix.size() > kMaxSuffixChars) return false;
    std::size_t start = 0;
    for (;;) {
        const std::size_t dot = suffix.find(u'.', start);
        if (!IsLabel(suffix.substr(start, dot == Text::npos ? Text::npos : dot - start))) return false;
        if (dot == Text::npos) return true;
        start = dot + 1;
    }
}

bool IsWellFormed(const ProfileExtension& e) {
    if (e.moreAddresses.size() > kMaxMoreAddresses || e.moreGateways.size() > kMaxMoreGateways ||
        e.moreDnsServers.size() > kMaxMoreDnsServers)
        return false;
    for (const AddedAddress& a : e.moreAddresses)
        if (a.ipAddress == 0 || a.subnetMask == 0) return false;
    for (const AddedGateway& g : e.moreGateways)
        if (g.defaultGateway == 0 || g.metric < kMinMetric || g.metric > kMaxMetric) return false;
    for (uint32_t server : e.moreDnsServers)
        if (server == 0) return false;
    return e.dnsSuffix.empty() || IsDnsSuffix(e.dnsSuffix);
}

}  // namespace extension
