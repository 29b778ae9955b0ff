#include "switching/HandoffRecord.h"

#include <cstring>

#include "framework/Sha256.h"

namespace {

void PutLe32(HandoffImage& image, std::size_t at, uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) image[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t GetLe32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

}  // namespace

HandoffImage BuildHandoffImage(const CProfileData& profile, uint32_t window32) {
    const std::string extension = extensionstore::SwitchObject(profile);
    HandoffImage image(kHandoffExtensionOffset + extension.size(), 0);
    std::memcpy(image.data(), profile.Bytes(), kProfileRecordSize);
    PutLe32(image, kHandoffWindowOffset, window32);
    PutLe32(image, kHandoffLengthOffset, static_cast<uint32_t>(extension.size()));
    std::memcpy(image.data() + kHandoffExtensionOffset, extension.data(), extension.size());
    return image;
}

std::size_t HandoffImageSize(const uint8_t* block, std::size_t available) {
    if (block == nullptr || available < kHandoffExtensionOffset) return 0;
    const uint32_t length = GetLe32(block + kHandoffLengthOffset);
    if (length > extensionstore::kObjectLimit || available - kHandoffExtensionOffset < length) return 0;
    return kHandoffExtensionOffset + length;
}

HandoffContents ReadHandoffImage(const HandoffImage& image) {
    HandoffContents contents;
    const std::size_t size = HandoffImageSize(image.data(), image.size());
    if (size == 0 || size != image.size()) {
        contents.extensionRefused = true;
        return contents;
    }
    contents.profile.LoadBytes(image.data());
    contents.window32 = GetLe32(image.data() + kHandoffWindowOffset);
    const std::size_t length = size - kHandoffExtensionOffset;
    if (length > 0)
        contents.extensionRefused =
            !extensionstore::ReadSwitchObject(image.data() + kHandoffExtensionOffset, length, contents.profile);
    return contents;
}

Text HandoffDigest(const HandoffImage& image) {
    const Sha256Digest digest = Sha256(image.data(), image.size());
    return text::LowerHex(digest.data(), digest.size());
}
