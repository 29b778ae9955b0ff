#pragma once
// The handoff block between the main program and the setting applier: the
// 26,148-byte profile record, the 32-bit handle of the window that receives
// the "applier finished" message (0 = none), then the profile's extension:
// a 32-bit little-endian length and that many bytes of its JSON object
// (extensionstore::SwitchObject; length 0 when it has no additions).
#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/Text.h"
#include "profile/ExtensionStore.h"
#include "profile/ProfileData.h"

inline constexpr std::size_t kHandoffSize = 26152;  // record and window: the block as older versions made it
inline constexpr std::size_t kHandoffWindowOffset = kProfileRecordSize;
inline constexpr std::size_t kHandoffLengthOffset = kHandoffSize;
inline constexpr std::size_t kHandoffExtensionOffset = kHandoffLengthOffset + 4;
inline constexpr std::size_t kHandoffMaxSize = kHandoffExtensionOffset + extensionstore::kObjectLimit;
inline constexpr char16_t kHandoffBlockName[] = u"Tolvik_NetworkSelectMapFile";
static_assert(kHandoffWindowOffset + 4 == kHandoffSize, "record plus one 32-bit handle");

using HandoffImage = std::vector<uint8_t>;

// The whole block as the writer puts it into the mapping.
HandoffImage BuildHandoffImage(const CProfileData& profile, uint32_t window32);

// The size of the whole block whose first `available` bytes are at
// `block` (the fixed part and the extension's length at least, else 0): 0
// also when the length is larger than kObjectLimit or the bytes it names
// are not all there.
std::size_t HandoffImageSize(const uint8_t* block, std::size_t available);

// The reader's view of a copied block. An extension that does not read for
// the record (extensionstore::ReadSwitchObject) leaves `extensionRefused`.
struct HandoffContents {
    CProfileData profile;
    uint32_t window32 = 0;
    bool extensionRefused = false;
};
HandoffContents ReadHandoffImage(const HandoffImage& image);

// The SHA-256 of the whole block as 64 lower-case hexadecimal digits: the
// setting applier's one argument, which binds it to the block that the
// main program wrote.
Text HandoffDigest(const HandoffImage& image);
