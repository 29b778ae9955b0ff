#include "profile/ExtensionJson.h"

#include "system/MacText.h"
#include "system/Tools.h"

namespace extensionjson {

namespace {

// Deeper than any profile object of the vocabulary, with room for a later
// version's own keys; deeper text is refused before it is built.
constexpr int kMaxDepth = 16;

// The DOM parser of the library, refusing text that nests deeper than
// kMaxDepth: the parse stops where it goes deeper.
class BoundedDomParser : public nlohmann::detail::json_sax_dom_parser<Json> {
public:
    using Base = nlohmann::detail::json_sax_dom_parser<Json>;
    explicit BoundedDomParser(Json& result) : Base(result, false) {}

    bool start_object(std::size_t size) { return Enter() && Base::start_object(size); }
    bool end_object() { return Leave() && Base::end_object(); }
    bool start_array(std::size_t size) { return Enter() && Base::start_array(size); }
    bool end_array() { return Leave() && Base::end_array(); }

private:
    bool Enter() { return ++depth_ <= kMaxDepth; }
    bool Leave() { return --depth_ >= 0; }

    int depth_ = 0;
};

std::string Dotted(uint32_t address) { return text::ToUtf8(CTools().AddressToText(address)); }

// A network's name (its SSID) is 1 to 32 bytes.
constexpr std::size_t kMaxWifiNameBytes = 32;

bool IsWifiName(const Text& name) { return !name.empty() && text::ToUtf8(name).size() <= kMaxWifiNameBytes; }

// A gateway's MAC address as the record writes one: six bytes.
bool IsGatewayMac(const Text& mac) { return mactext::IsWellFormed(mac, mactext::kEthernetBytes); }

ReadFault MakeFault(Fault fault, const std::string& where, long long low = 0, long long high = 0) {
    return ReadFault{fault, where, low, high};
}


// A dotted address other than 0 (an addition is always given).
ReadFault ReadAddress(const Json& object, const char* key, const std::string& where, uint32_t& out) {
    const auto found = object.find(key);
    if (found == object.end() || !found->is_string()) return MakeFault(Fault::WrongType, where);
    if (!CTools().TextToAddress(text::FromUtf8(found->get<std::string>()), &out) || out == 0)
        return MakeFault(Fault::BadAddress, where);
    return ReadFault();
}

// An object of exactly these keys.
bool HasExactly(const Json& entry, std::initializer_list<const char*> keys) {
    if (!entry.is_object() || entry.size() != keys.size()) return false;
    for (const char* key : keys)
        if (entry.find(key) == entry.end()) return false;
    return true;
}

// The list under `key`, absent or an array of at most `limit` entries.
ReadFault CheckList(const Json& object, const char* key, std::size_t limit, const Json*& list) {
    list = nullptr;
    const auto found = object.find(key);
    if (found == object.end()) return ReadFault();
    if (!found->is_array()) return MakeFault(Fault::WrongType, key);
    if (found->size() > limit) return MakeFault(Fault::TooMany, key, static_cast<long long>(limit));
    list = &*found;
    return ReadFault();
}

ReadFault ReadAddresses(const Json& object, ProfileExtension& e) {
    const Json* list = nullptr;
    ReadFault f = CheckList(object, kMoreAddresses, extension::kMaxMoreAddresses, list);
    for (std::size_t i = 0; list != nullptr && i < list->size() && !f.Failed(); ++i) {
        const Json& entry = (*list)[i];
        if (!HasExactly(entry, {kIpAddress, kSubnetMask})) return MakeFault(Fault::WrongType, EntryKey(kMoreAddresses, i));
        AddedAddress a;
        f = ReadAddress(entry, kIpAddress, EntryKey(kMoreAddresses, i, kIpAddress), a.ipAddress);
        if (!f.Failed()) f = ReadAddress(entry, kSubnetMask, EntryKey(kMoreAddresses, i, kSubnetMask), a.subnetMask);
        e.moreAddresses.push_back(a);
    }
    return f;
}

ReadFault ReadMetric(const Json& entry, std::size_t i, uint32_t& metric) {
    const Json& value = entry[kMetric];
    const std::string where = EntryKey(kMoreGateways, i, kMetric);
    if (!value.is_number_integer()) return MakeFault(Fault::WrongType, where);
    // Every integer in range is unsigned to the parser; a signed one is negative.
    const bool fits = value.is_number_unsigned() && value.get<unsigned long long>() >= extension::kMinMetric &&
                      value.get<unsigned long long>() <= extension::kMaxMetric;
    if (!fits) return MakeFault(Fault::OutOfRange, where, extension::kMinMetric, extension::kMaxMetric);
    metric = static_cast<uint32_t>(value.get<long long>());
    return ReadFault();
}

ReadFault ReadGateways(const Json& object, ProfileExtension& e) {
    const Json* list = nullptr;
    ReadFault f = CheckList(object, kMoreGateways, extension::kMaxMoreGateways, list);
    for (std::size_t i = 0; list != nullptr && i < list->size() && !f.Failed(); ++i) {
        const Json& entry = (*list)[i];
        if (!HasExactly(entry, {kDefaultGateway, kMetric})) return MakeFault(Fault::WrongType, EntryKey(kMoreGateways, i));
        AddedGateway g;
        f = ReadAddress(entry, kDefaultGateway, EntryKey(kMoreGateways, i, kDefaultGateway), g.defaultGateway);
        if (!f.Failed()) f = ReadMetric(entry, i, g.metric);
        e.moreGateways.push_back(g);
    }
    return f;
}

ReadFault ReadDnsServers(const Json& object, ProfileExtension& e) {
    const Json* list = nullptr;
    ReadFault f = CheckList(object, kMoreDnsServers, extension::kMaxMoreDnsServers, list);
    for (std::size_t i = 0; list != nullptr && i < list->size(); ++i) {
        const Json& entry = (*list)[i];
        uint32_t server = 0;
        if (!entry.is_string()) return MakeFault(Fault::WrongType, EntryKey(kMoreDnsServers, i));
        if (!CTools().TextToAddress(text::FromUtf8(entry.get<std::string>()), &server) || server == 0)
            return MakeFault(Fault::BadAddress, EntryKey(kMoreDnsServers, i));
        e.moreDnsServers.push_back(server);
    }
    return f;
}

ReadFault ReadSuffix(const Json& object, ProfileExtension& e) {
    const auto found = object.find(kDnsSuffix);
    if (found == object.end()) return ReadFault();
    if (!found->is_string()) return MakeFault(Fault::WrongType, kDnsSuffix);
    const Text suffix = text::FromUtf8(found->get<std::string>());
    if (!extension::IsDnsSuffix(suffix)) return MakeFault(Fault::NotDnsName, kDnsSuffix, extension::kMaxSuffixChars);
    e.dnsSuffix = suffix;
    return ReadFault();
}

// An optional text of the network object, checked by `valid`.
ReadFault ReadNetworkText(const Json& network, const char* key, Fault fault, bool (*valid)(const Text&), Text& out) {
    const auto found = network.find(key);
    const std::string where = std::string(kNetwork) + "." + key;
    if (found == network.end()) return ReadFault();
    if (!found->is_string()) return MakeFault(Fault::WrongType, where);
    out = text::FromUtf8(found->get<std::string>());
    return valid(out) ? ReadFault() : MakeFault(fault, where, static_cast<long long>(kMaxWifiNameBytes));
}

ReadFault ReadNetwork(const Json& object, ProfileExtension& e) {
    const auto found = object.find(kNetwork);
    if (found == object.end()) return ReadFault();
    if (!found->is_object()) return MakeFault(Fault::WrongType, kNetwork);
    for (const auto& item : found->items())
        if (item.key() != kGatewayMac && item.key() != kDnsDomain && item.key() != kWifiName)
            return MakeFault(Fault::WrongType, std::string(kNetwork) + "." + item.key());
    RecordedNetwork& n = e.network;
    ReadFault f = ReadNetworkText(*found, kGatewayMac, Fault::WrongType, IsGatewayMac, n.gatewayMac);
    if (!f.Failed()) f = ReadNetworkText(*found, kDnsDomain, Fault::NotDnsName, extension::IsDnsSuffix, n.dnsDomain);
    if (!f.Failed()) f = ReadNetworkText(*found, kWifiName, Fault::TooMany, IsWifiName, n.wifiName);
    n.gatewayMac = text::UpperAscii(n.gatewayMac);
    return f;
}

ReadFault ReadAutomatic(const Json& object, ProfileExtension& e) {
    const auto found = object.find(kAutomatic);
    if (found == object.end()) return ReadFault();
    if (!found->is_boolean()) return MakeFault(Fault::WrongType, kAutomatic);
    e.automatic = found->get<bool>();
    return ReadFault();
}

ReadFault ReadFallback(const Json& object, ProfileExtension& e) {
    const auto found = object.find(kFallback);
    if (found == object.end()) return ReadFault();
    const std::string value = found->is_string() ? found->get<std::string>() : std::string();
    if (value == kNoDhcp) e.fallback = ProfileExtension::Fallback::NoDhcp;
    else if (value == kGatewayLost) e.fallback = ProfileExtension::Fallback::GatewayLost;
    else return MakeFault(Fault::WrongType, kFallback);
    return ReadFault();
}

}  // namespace

std::string EntryKey(const char* list, std::size_t index, const char* value) {
    const std::string entry = std::string(list) + "[" + std::to_string(index) + "]";
    return value != nullptr ? entry + "." + value : entry;
}

bool IsExtensionKey(const std::string& key) {
    return key == kMoreAddresses || key == kMoreGateways || key == kMoreDnsServers || key == kDnsSuffix ||
           key == kNetwork || key == kAutomatic || key == kFallback;
}

void PutAdditions(const ProfileExtension& e, Json& object) {
    if (!e.moreAddresses.empty()) {
        Json& list = object[kMoreAddresses] = Json::array();
        for (const AddedAddress& a : e.moreAddresses)
            list.push_back(Json{{kIpAddress, Dotted(a.ipAddress)}, {kSubnetMask, Dotted(a.subnetMask)}});
    }
    if (!e.moreGateways.empty()) {
        Json& list = object[kMoreGateways] = Json::array();
        for (const AddedGateway& g : e.moreGateways)
            list.push_back(Json{{kDefaultGateway, Dotted(g.defaultGateway)}, {kMetric, g.metric}});
    }
    if (!e.moreDnsServers.empty()) {
        Json& list = object[kMoreDnsServers] = Json::array();
        for (uint32_t server : e.moreDnsServers) list.push_back(Dotted(server));
    }
    if (!e.dnsSuffix.empty()) object[kDnsSuffix] = text::ToUtf8(e.dnsSuffix);
}

void PutExtension(const ProfileExtension& e, Json& object) {
    PutAdditions(e, object);
    const RecordedNetwork& n = e.network;
    if (!n.Empty()) {
        Json& network = object[kNetwork] = Json::object();
        if (!n.gatewayMac.empty()) network[kGatewayMac] = text::ToUtf8(n.gatewayMac);
        if (!n.dnsDomain.empty()) network[kDnsDomain] = text::ToUtf8(n.dnsDomain);
        if (!n.wifiName.empty()) network[kWifiName] = text::ToUtf8(n.wifiName);
    }
    if (e.automatic) object[kAutomatic] = true;
    if (e.fallback == ProfileExtension::Fallback::NoDhcp) object[kFallback] = kNoDhcp;
    if (e.fallback == ProfileExtension::Fallback::GatewayLost) object[kFallback] = kGatewayLost;
}

ReadFault ReadExtension(const Json& object, ProfileExtension& e) {
    ReadFault f = ReadAddresses(object, e);
    if (!f.Failed()) f = ReadGateways(object, e);
    if (!f.Failed()) f = ReadDnsServers(object, e);
    if (!f.Failed()) f = ReadSuffix(object, e);
    if (!f.Failed()) f = ReadNetwork(object, e);
    if (!f.Failed()) f = ReadAutomatic(object, e);
    if (!f.Failed()) f = ReadFallback(object, e);
    return f;
}

Json ParseBounded(const char* text, std::size_t size) {
    try {
        Json parsed;
        BoundedDomParser parser(parsed);
        if (Json::sax_parse(text, text + size, &parser) && !parser.is_errored()) return parsed;
    } catch (...) {  // out of memory
    }
    return Json(Json::value_t::discarded);
}

}  // namespace extensionjson
