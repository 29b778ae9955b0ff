#pragma once
// What a profile holds beyond its 26,148-byte record: further IPv4
// addresses and default gateways of a fixed-address profile, further DNS
// servers after the preferred and alternate ones, and the connection's DNS
// suffix. It is kept apart from the record (the extension file beside the
// data file; after the fixed part of the handoff block; after the record
// in a setting service request), so that the record's format stays the one
// older versions read. It also holds the network the profile was made on
// and when the program applies the profile by itself.
//
// IPv4 values as in the record: the first octet in the most significant byte.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/Text.h"
#include "profile/RecordedNetwork.h"

struct AddedAddress {
    uint32_t ipAddress = 0;
    uint32_t subnetMask = 0;

    bool operator==(const AddedAddress& o) const { return ipAddress == o.ipAddress && subnetMask == o.subnetMask; }
};

struct AddedGateway {
    uint32_t defaultGateway = 0;
    uint32_t metric = 0;  // 1..9999

    bool operator==(const AddedGateway& o) const { return defaultGateway == o.defaultGateway && metric == o.metric; }
};

struct ProfileExtension {
    std::vector<AddedAddress> moreAddresses;  // a fixed-address profile's further addresses, in order
    std::vector<AddedGateway> moreGateways;   // its further default gateways, in order
    std::vector<uint32_t> moreDnsServers;     // DNS servers 3, 4, ... (DNS servers given by hand)
    Text dnsSuffix;                           // the connection-specific DNS suffix; empty: none
    // Keys that this version does not know (a later version's), as the text
    // of one JSON object; empty when there are none. Kept, never read.
    std::string otherKeys;
    RecordedNetwork network{};                // the network the profile was made on; empty: none recorded
    bool automatic = false;                   // applied by itself when the laptop joins `network`
    // Applied by itself when its connection has no network of its own: a
    // fixed profile when no DHCP server answers, a DHCP profile when the
    // fixed network's gateway no longer answers. At most one profile of a
    // connection for each.
    enum class Fallback { None, NoDhcp, GatewayLost } fallback = Fallback::None;

    // Any of the four additions (what a switch carries).
    bool HasAdditions() const;
    bool Empty() const;
    bool operator==(const ProfileExtension& o) const;
    bool operator!=(const ProfileExtension& o) const { return !(*this == o); }
};

namespace extension {

inline constexpr std::size_t kMaxMoreAddresses = 4;
inline constexpr std::size_t kMaxMoreGateways = 4;
inline constexpr std::size_t kMaxMoreDnsServers = 6;
inline constexpr std::size_t kMaxSuffixChars = 255;
inline constexpr uint32_t kMinMetric = 1;
inline constexpr uint32_t kMaxMetric = 9999;
// The netsh index of the first further DNS server (1 preferred, 2 alternate).
inline constexpr std::size_t kFirstMoreDnsIndex = 3;

// A DNS name as a suffix: 1 to 255 characters of ASCII letters, digits,
// hyphens and dots, in labels of 1 to 63 characters that neither begin
// nor end with a hyphen (so no empty label, no leading or trailing dot).
bool IsDnsSuffix(const Text& suffix);

// Within the limits a command line and the switch rely on: at most 4, 4
// and 6 entries, no address, mask, gateway or server 0, metrics 1..9999,
// and a suffix that is empty or a DNS name. What it means for the profile
// (a mask that fits, a gateway in a subnet) is the TCP/IP page's rules' to say.
bool IsWellFormed(const ProfileExtension& extension);

}  // namespace extension
