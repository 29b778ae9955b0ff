#include "editor/ProfileJson.h"

#include <cstddef>
#include <cstring>

#include "editor/EditorResource.h"
#include "profile/ExtensionJson.h"
#include "system/Tools.h"

namespace profilejson {

namespace {

using extensionjson::Json;

constexpr char kVersionKey[] = "formatVersion";
constexpr char kProfilesKey[] = "profiles";

enum class Kind { text, number, byte, flag, address };

struct Field {
    const char* key;
    Kind kind;
    std::size_t offset;
    const TextField* text;
    long long low, high;  // range of a number or byte
};

#define ORTIVO_TEXT(f) {#f, Kind::text, offsetof(ProfileRecord, f), &ProfileText::f, 0, 0}
#define ORTIVO_VALUE(f, kind, low, high) {#f, kind, offsetof(ProfileRecord, f), nullptr, low, high}
#define ORTIVO_FLAG(f) ORTIVO_VALUE(f, Kind::flag, 0, 1)
#define ORTIVO_ADDRESS(f) ORTIVO_VALUE(f, Kind::address, 0, 0)
#define ORTIVO_PORT(f) ORTIVO_VALUE(f, Kind::number, 0, 65535)

// Every field of the record but the identifier and the reserved byte, in
// the record's order.
const Field kFields[] = {
    ORTIVO_TEXT(profileName),
    ORTIVO_VALUE(iconIndex, Kind::number, -1, 5),
    ORTIVO_TEXT(connectionName),
    ORTIVO_TEXT(adapterDescription),
    ORTIVO_TEXT(macAddress),
    ORTIVO_VALUE(ipMode, Kind::byte, 0, 1),
    ORTIVO_ADDRESS(ipAddress),
    ORTIVO_ADDRESS(subnetMask),
    ORTIVO_ADDRESS(defaultGateway),
    ORTIVO_VALUE(dnsMode, Kind::byte, 0, 1),
    ORTIVO_ADDRESS(preferredDns),
    ORTIVO_ADDRESS(alternateDns),
    ORTIVO_FLAG(autoConfigEnabled),
    ORTIVO_TEXT(autoConfigUrl),
    ORTIVO_VALUE(proxyMode, Kind::byte, 0, 2),
    ORTIVO_TEXT(httpProxyServer),
    ORTIVO_TEXT(secureProxyServer),
    ORTIVO_TEXT(ftpProxyServer),
    ORTIVO_TEXT(gopherProxyServer),
    ORTIVO_TEXT(socksProxyServer),
    ORTIVO_PORT(httpProxyPort),
    ORTIVO_PORT(secureProxyPort),
    ORTIVO_PORT(ftpProxyPort),
    ORTIVO_PORT(gopherProxyPort),
    ORTIVO_PORT(socksProxyPort),
    ORTIVO_FLAG(sameProxyForAll),
    ORTIVO_TEXT(proxyBypassList),
    ORTIVO_FLAG(bypassLocal),
    ORTIVO_FLAG(checkDhcp),
    ORTIVO_FLAG(checkPingGateway),
    ORTIVO_FLAG(checkUrlEnabled),
    ORTIVO_TEXT(checkUrl),
    ORTIVO_FLAG(runAppEnabled),
    ORTIVO_TEXT(appPath),
    ORTIVO_TEXT(appArguments),
    ORTIVO_FLAG(setDefaultPrinter),
    ORTIVO_TEXT(printerName),
};

#undef ORTIVO_TEXT
#undef ORTIVO_VALUE
#undef ORTIVO_FLAG
#undef ORTIVO_ADDRESS
#undef ORTIVO_PORT

const Field* FieldNamed(const std::string& key) {
    for (const Field& f : kFields)
        if (key == f.key) return &f;
    return nullptr;
}

// The packed record is reached byte-wise: its fields sit at odd offsets.
template <typename T>
T Get(const CProfileData& p, const Field& f) {
    T value;
    std::memcpy(&value, p.Bytes() + f.offset, sizeof(value));
    return value;
}

template <typename T>
void Put(CProfileData& p, const Field& f, T value) {
    std::memcpy(reinterpret_cast<uint8_t*>(&p.Record()) + f.offset, &value, sizeof(value));
}

Json ValueOf(const CProfileData& p, const Field& f) {
    switch (f.kind) {
        case Kind::text: return text::ToUtf8(p.GetText(*f.text));
        case Kind::number: return Get<int32_t>(p, f);
        case Kind::byte: return Get<uint8_t>(p, f);
        case Kind::flag: return Get<uint8_t>(p, f) == 1;
        case Kind::address: {
            const uint32_t address = Get<uint32_t>(p, f);
            return address == 0 ? std::string() : text::ToUtf8(CTools().AddressToText(address));
        }
    }
    return nullptr;
}

// A fault of profile `number` (0: the file itself).
struct Where {
    int number;
    Text name;
};

ImportError Fault(const Where& at, int messageId, const std::string& field = std::string(),
                  std::vector<long long> values = {}) {
    ImportError e;
    e.messageId = messageId;
    e.profileNumber = at.number;
    e.profileName = at.name;
    e.field = field;
    e.values = std::move(values);
    return e;
}

// A whole number within [low, high], whatever its JSON spelling (signed or unsigned).
ImportError ReadWhole(const Json& v, const Field& f, const Where& at, long long& out) {
    if (!v.is_number_integer()) return Fault(at, IDS_FAULT_WRONG_TYPE, f.key);
    const bool fits = v.is_number_unsigned() ? v.get<unsigned long long>() <= static_cast<unsigned long long>(f.high)
                                             : v.get<long long>() >= f.low && v.get<long long>() <= f.high;
    if (!fits) return Fault(at, IDS_FAULT_OUT_OF_RANGE, f.key, {f.low, f.high});
    out = v.get<long long>();
    return ImportError();
}

ImportError ReadField(const Json& v, const Field& f, const Where& at, CProfileData& p) {
    if (f.kind == Kind::flag) {
        if (!v.is_boolean()) return Fault(at, IDS_FAULT_WRONG_TYPE, f.key);
        Put<uint8_t>(p, f, v.get<bool>() ? 1 : 0);
        return ImportError();
    }
    if (f.kind == Kind::number || f.kind == Kind::byte) {
        long long number = 0;
        ImportError e = ReadWhole(v, f, at, number);
        if (e.Failed()) return e;
        if (f.kind == Kind::number) Put<int32_t>(p, f, static_cast<int32_t>(number));
        else Put<uint8_t>(p, f, static_cast<uint8_t>(number));
        return ImportError();
    }
    if (!v.is_string()) return Fault(at, IDS_FAULT_WRONG_TYPE, f.key);
    const Text value = text::FromUtf8(v.get<std::string>());
    if (f.kind == Kind::address) {
        uint32_t address = 0;
        if (!value.empty() && !CTools().TextToAddress(value, &address)) return Fault(at, IDS_FAULT_BAD_ADDRESS, f.key);
        Put<uint32_t>(p, f, address);
        return ImportError();
    }
    if (value.find(u'\0') != Text::npos) return Fault(at, IDS_FAULT_WRONG_TYPE, f.key);
    if (value.size() > f.text->maxChars)
        return Fault(at, IDS_FAULT_TOO_LONG, f.key, {static_cast<long long>(f.text->maxChars)});
    p.SetText(*f.text, value);
    return ImportError();
}

// The message of a fault in the additions, with the numbers it names.
ImportError AdditionFault(const Where& at, const extensionjson::ReadFault& f) {
    using Problem = extensionjson::Fault;
    switch (f.fault) {
        case Problem::TooMany: return Fault(at, IDS_FAULT_TOO_MANY_ENTRIES, f.where, {f.low});
        case Problem::BadAddress: return Fault(at, IDS_FAULT_BAD_ADDRESS, f.where);
        case Problem::OutOfRange: return Fault(at, IDS_FAULT_OUT_OF_RANGE, f.where, {f.low, f.high});
        case Problem::NotDnsName: return Fault(at, IDS_FAULT_NOT_DNS_NAME, f.where, {f.low});
        default: return Fault(at, IDS_FAULT_WRONG_TYPE, f.where);
    }
}

// A key of a profile of a file of this version (the additions came with 2).
bool IsProfileKey(const std::string& key, long long version) {
    constexpr long long kFirstVersionWithAdditions = 2;
    return FieldNamed(key) != nullptr || (version >= kFirstVersionWithAdditions && extensionjson::IsExtensionKey(key));
}

ImportError ReadProfile(const Json& object, int number, long long version, CProfileData& p) {
    Where at{number, Text()};
    if (!object.is_object()) return Fault(at, IDS_FAULT_WRONG_TYPE);
    const auto name = object.find("profileName");
    if (name != object.end() && name->is_string()) at.name = text::FromUtf8(name->get<std::string>());
    for (const auto& item : object.items())
        if (!IsProfileKey(item.key(), version)) return Fault(at, IDS_FAULT_UNKNOWN_KEY, item.key());
    p.Reset();
    for (const Field& f : kFields) {
        const auto value = object.find(f.key);
        if (value == object.end()) return Fault(at, IDS_FAULT_MISSING_KEY, f.key);
        ImportError e = ReadField(*value, f, at, p);
        if (e.Failed()) return e;
    }
    const extensionjson::ReadFault additions = extensionjson::ReadExtension(object, p.Extension());
    return additions.Failed() ? AdditionFault(at, additions) : ImportError();
}

// The frame around the profiles: an object with the format version and the
// list. The version read goes to `version`.
ImportError CheckFrame(const Json& root, long long& version) {
    const Where file{0, Text()};
    if (!root.is_object()) return Fault(file, IDS_FAULT_FORMAT, std::string(), {kFormatVersion});
    for (const auto& item : root.items())
        if (item.key() != kVersionKey && item.key() != kProfilesKey)
            return Fault(file, IDS_FAULT_UNKNOWN_KEY, item.key());
    const auto found = root.find(kVersionKey);
    if (found == root.end()) return Fault(file, IDS_FAULT_MISSING_KEY, kVersionKey);
    version = found->is_number_integer() ? found->get<long long>() : 0;
    if (version < kFirstFormatVersion || version > kFormatVersion)
        return Fault(file, IDS_FAULT_FORMAT, kVersionKey, {kFormatVersion});
    const auto profiles = root.find(kProfilesKey);
    if (profiles == root.end()) return Fault(file, IDS_FAULT_MISSING_KEY, kProfilesKey);
    if (!profiles->is_array()) return Fault(file, IDS_FAULT_WRONG_TYPE, kProfilesKey);
    return ImportError();
}

ImportError ReadAll(const std::string& utf8, std::vector<CProfileData>& profiles) {
    const Json root = Json::parse(utf8, nullptr, false);
    if (root.is_discarded()) return Fault(Where{0, Text()}, IDS_FAULT_NOT_JSON);
    long long version = 0;
    ImportError e = CheckFrame(root, version);
    if (e.Failed()) return e;
    const Json& list = root[kProfilesKey];
    CProfileData p;
    for (std::size_t i = 0; i < list.size(); ++i) {
        e = ReadProfile(list[i], static_cast<int>(i + 1), version, p);
        if (e.Failed()) return e;
        profiles.push_back(p);
    }
    return ImportError();
}

}  // namespace

std::string Write(const std::vector<CProfileData>& profiles) {
    try {
        Json list = Json::array();
        for (const CProfileData& p : profiles) {
            Json object = Json::object();
            for (const Field& f : kFields) object[f.key] = ValueOf(p, f);
            extensionjson::PutExtension(p.Extension(), object);
            list.push_back(std::move(object));
        }
        Json root = Json::object();
        root[kVersionKey] = kFormatVersion;
        root[kProfilesKey] = std::move(list);
        return root.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
    } catch (...) {  // out of memory: nothing to write
        return std::string();
    }
}

ImportError Read(const std::string& utf8, std::vector<CProfileData>& profiles) {
    profiles.clear();
    std::vector<CProfileData> read;
    ImportError e;
    try {
        e = ReadAll(utf8, read);
    } catch (...) {  // no exception leaves the reader
        e = Fault(Where{0, Text()}, IDS_FAULT_NOT_JSON);
    }
    if (!e.Failed()) profiles = std::move(read);
    return e;
}

}  // namespace profilejson
