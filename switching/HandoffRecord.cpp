#include "switching/HandoffRecord.h"

#include <cstring>

#include "framework/Sha256.h"

HandoffImage BuildHandoffImage(const CProfileData& profile, uint32_t window32) {
    HandoffImage image{};
    std::memcpy(image.data(), profile.Bytes(), kProfileRecordSize);
    const uint8_t handle[4] = {static_cast<uint8_t>(window32), static_cast<uint8_t>(window32 >> 8),
                               static_cast<uint8_t>(window32 >> 16), static_cast<uint8_t>(window32 >> 24)};
    std::memcpy(image.data() + kHandoffWindowOffset, handle, sizeof(handle));
    return image;
}

HandoffContents ReadHandoffImage(const HandoffImage& image) {
    HandoffContents contents;
    contents.profile.LoadBytes(image.data());
    const uint8_t* h = image.data() + kHandoffWindowOffset;
    contents.window32 = static_cast<uint32_t>(h[0]) | static_cast<uint32_t>(h[1]) << 8 |
                        static_cast<uint32_t>(h[2]) << 16 | static_cast<uint32_t>(h[3]) << 24;
    return contents;
}

Text HandoffDigest(const HandoffImage& image) {
    const Sha256Digest digest = Sha256(image.data(), image.size());
    return text::LowerHex(digest.data(), digest.size());
}
