#pragma once
// The extension file beside the data file (Tolvik_Network.ext) and the
// profile object that travels with a switch. UTF-8 JSON:
//
//   {"formatVersion": 1,
//    "profiles": [{"record": "<64 hex digits>", "moreAddresses": [...], ...}, ...]}
//
// one object per profile that has an extension. "record" is the SHA-256 of
// the profile's 26,148 record bytes with profileId set to 0: an extension
// belongs to a record of exactly those bytes, so a record that an older
// version, another program or a hand edit changed has none (and its old
// object is gone at the next write). Keys this version does not know are
// kept when the file is written again: a profile object's with its profile,
// the file's own with the file.
//
// Sizes are bounded wherever an extension is read: one profile object at
// kObjectLimit bytes, the file at kFileLimit. Nothing here throws.
#include <cstddef>
#include <cstdint>
#include <string>

#include "profile/ProfileCollection.h"

namespace extensionstore {

inline constexpr int kFormatVersion = 1;
inline constexpr std::size_t kObjectLimit = 16 * 1024;
inline constexpr std::size_t kFileLimit = 4 * 1024 * 1024;

// The record's key: 64 lower-case hexadecimal digits.
Text RecordKey(const CProfileData& profile);

// The profile's object as it travels with a switch: its record's key and
// its additions (no keys of a later version: nothing there for a switch);
// empty when the profile has no additions.
std::string SwitchObject(const CProfileData& profile);

// Reads an object that travelled with `profile`'s record into its
// extension. False, and the extension left empty, when it is larger than
// kObjectLimit, not such an object, names another record, or holds
// additions outside extension::IsWellFormed.
bool ReadSwitchObject(const uint8_t* bytes, std::size_t size, CProfileData& profile);

// Gives each profile from position `first` on the extension that the file
// holds for its record; profiles it holds none for (or none that reads)
// keep none. A file that is not one (larger than kFileLimit, not JSON,
// another format version) gives none at all. Returns how many were given.
int Attach(const std::string& file, CProfileCollection& profiles, int first);

// The file for the extensions of these profiles. The keys of `previous`
// (the file as it was) that this version does not know are kept; an
// object that would be larger than kObjectLimit loses its other keys.
// Empty only when memory runs out.
std::string Compose(const CProfileCollection& profiles, const std::string& previous);

// Whether any of the profiles has an extension.
bool AnyExtension(const CProfileCollection& profiles);

}  // namespace extensionstore
