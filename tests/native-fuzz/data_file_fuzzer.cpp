// libFuzzer target for the data file decoder: any byte string must be
// either rejected or loaded, never read out of bounds; what loads must
// survive another encode and decode unchanged apart from identifiers.
// The same bytes are an extension file for what loaded (or for one new
// profile): what attaches is well formed and comes back the same from the
// file composed again; a profile's switch object; and a handoff block.
// They, and their last record's worth, go to the setting service's request
// plan: a message is refused and runs nothing, or it is a record whose
// settings fit the command buffer.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "applier/SettingRequest.h"
#include "profile/DataFileImage.h"
#include "profile/ExtensionStore.h"
#include "switching/HandoffRecord.h"

namespace {

void Require(bool condition) {
    if (!condition) __builtin_trap();
}

void CheckReencoding(const CProfileCollection& loaded, const uint8_t* data, std::size_t size) {
    std::vector<uint8_t> again;
    Require(datafile::Encode(loaded, again) == 0);
    Require(again.size() == size);
    // Signature and count are as read; the checksum, the unchecked reserved
    // bytes and the identifiers (first four bytes of a record) may differ.
    Require(std::memcmp(again.data(), data, datafile::kSignatureAreaSize) == 0);
    Require(std::memcmp(again.data() + datafile::kCountOffset, data + datafile::kCountOffset, 4) == 0);
    for (int i = 0; i < loaded.Count(); ++i) {
        const std::size_t at = datafile::kHeaderSize + static_cast<std::size_t>(i) * kProfileRecordSize + 4;
        Require(std::memcmp(again.data() + at, data + at, kProfileRecordSize - 4) == 0);
    }
    CProfileCollection reloaded;
    Require(datafile::Decode(again.data(), again.size(), reloaded) == 0);
    Require(reloaded.Count() == loaded.Count());
}

// Refused runs nothing; otherwise a record (and its extension) gives two
// to seventeen settings within the runner's command buffer (828
// characters) and the connection's suffix.
void CheckRequestPlan(const uint8_t* message, std::size_t size) {
    const ApplierPlan plan = PlanSettingRequest(message, size);
    Require(!plan.notify && plan.refused != plan.pause);
    if (plan.refused) return Require(plan.settings.empty() && !plan.renewal && !plan.suffix);
    Require(size >= kSettingRequestSize && size <= kSettingRequestMaxSize);
    Require(plan.settings.size() >= 2 && plan.settings.size() <= 17 && plan.suffix.has_value());
    for (const ApplierCommand& command : plan.settings) Require(command.commandLine.size() < 828);
}

void CheckExtensionFile(CProfileCollection& profiles, const std::string& file) {
    Require(extensionstore::Attach(file, profiles, 0) <= profiles.Count());
    CProfileCollection bare;
    CProfileData p, back;
    for (int i = 0; profiles.GetByPosition(i, &p) == 0; ++i) {
        Require(extension::IsWellFormed(p.Extension()));
        p.Extension() = ProfileExtension();
        bare.Add(p);
    }
    extensionstore::Attach(extensionstore::Compose(profiles, file), bare, 0);
    for (int i = 0; profiles.GetByPosition(i, &p) == 0 && bare.GetByPosition(i, &back) == 0; ++i)
        Require(p.Extension() == back.Extension());
}

void CheckSwitchObjectAndHandoffImage(const uint8_t* data, std::size_t size) {
    CProfileData p;
    const bool read = extensionstore::ReadSwitchObject(data, size, p);
    Require(read ? size <= extensionstore::kObjectLimit && extension::IsWellFormed(p.Extension()) : p.Extension().Empty());
    Require(ReadHandoffImage(HandoffImage(data, data + size)).extensionRefused || HandoffImageSize(data, size) == size);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    CProfileCollection loaded;
    const int result = datafile::Decode(data, size, loaded);
    Require(result == 0 || result == -1);
    if (result == 0) CheckReencoding(loaded, data, size);
    else Require(loaded.Count() == 0);
    if (loaded.Count() == 0) loaded.Add(CProfileData());
    CheckExtensionFile(loaded, std::string(reinterpret_cast<const char*>(data), size));
    CheckSwitchObjectAndHandoffImage(data, size);
    CheckRequestPlan(data, size);
    if (size >= kSettingRequestSize) CheckRequestPlan(data + size - kSettingRequestSize, kSettingRequestSize);
    return 0;
}
