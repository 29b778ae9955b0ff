#include "profile/ExtensionStore.h"

#include <cstring>
#include <vector>

#include "framework/Sha256.h"
#include "profile/ExtensionJson.h"

namespace extensionstore {

namespace {

using extensionjson::Json;

constexpr char kVersionKey[] = "formatVersion";
constexpr char kProfilesKey[] = "profiles";
constexpr char kRecordKey[] = "record";

Json Parse(const std::string& text) { return extensionjson::ParseBounded(text.data(), text.size()); }

std::string Key(const CProfileData& profile) { return text::ToUtf8(RecordKey(profile)); }

// The profile list of a file of this format version; null for anything else.
const Json* ProfileList(const Json& root) {
    if (!root.is_object()) return nullptr;
    const auto version = root.find(kVersionKey);
    const auto list = root.find(kProfilesKey);
    if (version == root.end() || !version->is_number_integer() || version->get<long long>() != kFormatVersion ||
        list == root.end() || !list->is_array())
        return nullptr;
    return &*list;
}

// The record key an object names; empty when it names none.
std::string NamedKey(const Json& object) {
    if (!object.is_object()) return std::string();
    const auto record = object.find(kRecordKey);
    return record != object.end() && record->is_string() ? record->get<std::string>() : std::string();
}

// The extension that `object` holds for the record of key `key`: false
// when it names another record, is too large, or its additions do not read.
bool ReadObject(const Json& object, const std::string& key, ProfileExtension& out) {
    if (NamedKey(object) != key) return false;
    if (object.dump().size() > kObjectLimit) return false;
    ProfileExtension read;
    if (extensionjson::ReadExtension(object, read).Failed()) return false;
    Json others = Json::object();
    for (const auto& item : object.items())
        if (item.key() != kRecordKey && !extensionjson::IsExtensionKey(item.key())) others[item.key()] = item.value();
    if (!others.empty()) read.otherKeys = others.dump();
    out = std::move(read);
    return true;
}

// The first object of the list that reads for the record of key `key`.
bool FindExtension(const Json& list, const std::string& key, ProfileExtension& out) {
    for (const Json& object : list)
        if (ReadObject(object, key, out)) return true;
    return false;
}

// The record's key and the additions (`whole`: and the rest of the extension).
Json KeyedJson(const CProfileData& profile, bool whole) {
    Json object = Json::object();
    object[kRecordKey] = Key(profile);
    if (whole) extensionjson::PutExtension(profile.Extension(), object);
    else extensionjson::PutAdditions(profile.Extension(), object);
    return object;
}

// The record's key, the extension and the keys of a later version, as long
// as the whole stays within kObjectLimit.
Json FileJson(const CProfileData& profile) {
    Json object = KeyedJson(profile, true);
    const Json others = Parse(profile.Extension().otherKeys);
    if (!others.is_object()) return object;
    Json whole = object;
    for (const auto& item : others.items()) whole[item.key()] = item.value();
    return whole.dump().size() <= kObjectLimit ? whole : object;
}

// The keys of the previous file's top level that this version does not know.
void KeepOtherKeys(const std::string& previous, Json& root) {
    if (previous.size() > kFileLimit) return;
    const Json old = Parse(previous);
    if (ProfileList(old) == nullptr) return;
    for (const auto& item : old.items())
        if (item.key() != kVersionKey && item.key() != kProfilesKey) root[item.key()] = item.value();
}

}  // namespace

Text RecordKey(const CProfileData& profile) {
    std::vector<uint8_t> bytes(profile.Bytes(), profile.Bytes() + kProfileRecordSize);
    std::memset(bytes.data() + offsetof(ProfileRecord, profileId), 0, sizeof(int32_t));
    const Sha256Digest digest = Sha256(bytes.data(), bytes.size());
    return text::LowerHex(digest.data(), digest.size());
}

std::string SwitchObject(const CProfileData& profile) {
    if (!profile.Extension().HasAdditions()) return std::string();
    try {
        return KeyedJson(profile, false).dump();
    } catch (...) {  // out of memory
        return std::string();
    }
}

bool ReadSwitchObject(const uint8_t* bytes, std::size_t size, CProfileData& profile) {
    profile.Extension() = ProfileExtension();
    if (bytes == nullptr || size > kObjectLimit) return false;
    try {
        const Json object = extensionjson::ParseBounded(reinterpret_cast<const char*>(bytes), size);
        ProfileExtension read;
        if (NamedKey(object).empty() || !ReadObject(object, Key(profile), read)) return false;
        profile.Extension() = std::move(read);
        return true;
    } catch (...) {  // out of memory
        return false;
    }
}

int Attach(const std::string& file, CProfileCollection& profiles, int first) {
    if (file.size() > kFileLimit) return 0;
    int given = 0;
    try {
        const Json root = Parse(file);
        const Json* list = ProfileList(root);
        if (list == nullptr || list->empty()) return 0;
        CProfileData profile;
        for (int i = first; profiles.GetByPosition(i, &profile) == 0; ++i) {
            if (!FindExtension(*list, Key(profile), profile.Extension())) continue;
            if (profiles.Edit(profile) > 0) ++given;
        }
    } catch (...) {  // out of memory: what was given stays
    }
    return given;
}

std::string Compose(const CProfileCollection& profiles, const std::string& previous) {
    try {
        Json root = Json::object();
        root[kVersionKey] = kFormatVersion;
        Json& list = root[kProfilesKey] = Json::array();
        CProfileData profile;
        for (int i = 0; profiles.GetByPosition(i, &profile) == 0; ++i)
            if (!profile.Extension().Empty()) list.push_back(FileJson(profile));
        KeepOtherKeys(previous, root);
        return root.dump(2) + "\n";
    } catch (...) {  // out of memory
        return std::string();
    }
}

bool AnyExtension(const CProfileCollection& profiles) {
    CProfileData profile;
    for (int i = 0; profiles.GetByPosition(i, &profile) == 0; ++i)
        if (!profile.Extension().Empty()) return true;
    return false;
}

}  // namespace extensionstore
