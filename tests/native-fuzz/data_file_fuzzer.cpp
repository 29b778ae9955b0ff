// libFuzzer target for the data file decoder: any byte string must be
// either rejected or loaded, never read out of bounds; what loads must
// survive another encode and decode unchanged apart from identifiers.
// The same bytes, and their last record's worth, go to the setting
// service's request plan: a message is refused and runs nothing, or it is
// a record whose two or three settings fit the command buffer.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "applier/SettingRequest.h"
#include "profile/DataFileImage.h"

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

// Refused runs nothing; otherwise a whole record gives two or three
// settings within the runner's command buffer (828 characters).
void CheckRequestPlan(const uint8_t* message, std::size_t size) {
    const ApplierPlan plan = PlanSettingRequest(message, size);
    Require(!plan.notify && plan.refused != plan.pause);
    if (plan.refused) return Require(plan.settings.empty() && !plan.renewal);
    Require(size == kSettingRequestSize && (plan.settings.size() == 2 || plan.settings.size() == 3));
    for (const ApplierCommand& command : plan.settings) Require(command.commandLine.size() < 828);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    CProfileCollection loaded;
    const int result = datafile::Decode(data, size, loaded);
    Require(result == 0 || result == -1);
    if (result == 0) CheckReencoding(loaded, data, size);
    else Require(loaded.Count() == 0);
    CheckRequestPlan(data, size);
    if (size >= kSettingRequestSize) CheckRequestPlan(data + size - kSettingRequestSize, kSettingRequestSize);
    return 0;
}
