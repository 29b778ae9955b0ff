#pragma once
// The handoff block between the main program and the setting applier:
// the 26,148-byte profile record followed by the 32-bit handle of the
// window that receives the "applier finished" message (0 = none).
#include <array>
#include <cstddef>
#include <cstdint>

#include "framework/Text.h"
#include "profile/ProfileData.h"

inline constexpr std::size_t kHandoffSize = 26152;
inline constexpr std::size_t kHandoffWindowOffset = kProfileRecordSize;
inline constexpr char16_t kHandoffBlockName[] = u"Tolvik_NetworkSelectMapFile";
static_assert(kHandoffWindowOffset + 4 == kHandoffSize, "record plus one 32-bit handle");

using HandoffImage = std::array<uint8_t, kHandoffSize>;

// The whole block as the writer puts it into the mapping.
HandoffImage BuildHandoffImage(const CProfileData& profile, uint32_t window32);

// The reader's view of a copied block.
struct HandoffContents {
    CProfileData profile;
    uint32_t window32 = 0;
};
HandoffContents ReadHandoffImage(const HandoffImage& image);

// The SHA-256 of the whole block as 64 lower-case hexadecimal digits: the
// setting applier's one argument, which binds it to the block that the
// main program wrote.
Text HandoffDigest(const HandoffImage& image);
