#pragma once
// The JSON words of a profile's extension, one vocabulary for the extension
// file and the bulk-edit tool's profile file:
//
//   "moreAddresses":  [{"ipAddress": "10.0.0.5", "subnetMask": "255.0.0.0"}, ...]
//   "moreGateways":   [{"defaultGateway": "10.0.0.1", "metric": 20}, ...]
//   "moreDnsServers": ["10.0.0.53", ...]
//   "dnsSuffix":      "corp.example"
//   "network":        {"gatewayMac": "AA:BB:CC:DD:EE:FF", "dnsDomain": "...", "wifiName": "..."}
//   "automatic":      true
//   "fallback":       "noDhcp" or "gatewayLost"
//
// A profile without an addition of a kind has no key for it; a network part
// not recorded is left out, and so is a network with none; `automatic` is
// written only when true, `fallback` only when there is one. Only for the
// portable code that already holds nlohmann-json (nothing here throws to
// the caller; the reader checks each value's type before taking it).
#include <nlohmann/json.hpp>

#include <string>

#include "profile/ProfileExtension.h"

namespace extensionjson {

using Json = nlohmann::ordered_json;

inline constexpr char kMoreAddresses[] = "moreAddresses";
inline constexpr char kMoreGateways[] = "moreGateways";
inline constexpr char kMoreDnsServers[] = "moreDnsServers";
inline constexpr char kDnsSuffix[] = "dnsSuffix";
inline constexpr char kIpAddress[] = "ipAddress";
inline constexpr char kSubnetMask[] = "subnetMask";
inline constexpr char kDefaultGateway[] = "defaultGateway";
inline constexpr char kMetric[] = "metric";
inline constexpr char kNetwork[] = "network";
inline constexpr char kGatewayMac[] = "gatewayMac";
inline constexpr char kDnsDomain[] = "dnsDomain";
inline constexpr char kWifiName[] = "wifiName";
inline constexpr char kAutomatic[] = "automatic";
inline constexpr char kFallback[] = "fallback";
inline constexpr char kNoDhcp[] = "noDhcp";
inline constexpr char kGatewayLost[] = "gatewayLost";

// Where an entry of a list is ("moreGateways[1]"), or a value of it
// ("moreGateways[1].metric"): entries counted from 0.
std::string EntryKey(const char* list, std::size_t index, const char* value = nullptr);

// Whether `key` is one of the words above (not one of a later version).
bool IsExtensionKey(const std::string& key);

// The additions of `extension` as keys of `object` (none for a kind it
// does not have): what a switch carries.
void PutAdditions(const ProfileExtension& extension, Json& object);
// The additions, the network, `automatic` and `fallback`: what the files hold.
void PutExtension(const ProfileExtension& extension, Json& object);

// Why the additions of an object were not read: what is wrong, where
// ("moreGateways[1].metric": the entry counted from 0), and the limits
// the message names.
enum class Fault { None, WrongType, TooMany, BadAddress, OutOfRange, NotDnsName };
struct ReadFault {
    Fault fault = Fault::None;
    std::string where;
    long long low = 0, high = 0;

    bool Failed() const { return fault != Fault::None; }
};

// Reads the keys above of `object` into `extension` (its other members
// are left alone): the additions in the limits of extension::IsWellFormed,
// the network's parts as extension::IsRecordedNetwork takes them.
ReadFault ReadExtension(const Json& object, ProfileExtension& extension);

// Parses `size` bytes of JSON text. Refused (discarded) when it is not
// JSON, nests deeper than a profile's object ever needs, or memory runs out.
Json ParseBounded(const char* text, std::size_t size);

}  // namespace extensionjson
