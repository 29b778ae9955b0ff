#pragma once
// The profile file of the bulk-edit tool: UTF-8 JSON text holding a format
// version and one object per profile with every field of the profile record
// by its name ("profileName", "ipAddress", ...). Texts are strings, flags
// are true/false, modes, the icon and the ports are numbers, addresses are
// dotted text ("" when not set). The record's identifier (a per-run number
// given by the order of the profiles) and its reserved byte are not part
// of a profile's content and are not written. Format version 2 carries the
// profile's additions beside them, in the extension file's words
// (profile/ExtensionJson.h: "moreAddresses", "moreGateways",
// "moreDnsServers", "dnsSuffix"; none of them for a profile without);
// version 1, which has none, is still read.
//
// Reading is strict: the file must be exactly of this form, and each value
// of the right type, within its field's length or range. Nothing here
// throws: JSON errors become an ImportError.
#include <string>
#include <vector>

#include "editor/ImportError.h"
#include "profile/ProfileData.h"

namespace profilejson {

inline constexpr int kFormatVersion = 2;     // what Write writes
inline constexpr int kFirstFormatVersion = 1;  // the oldest Read reads

// The file for these profiles, in their order. Texts that are not valid
// UTF-16 (a lone surrogate) are written with U+FFFD in its place.
std::string Write(const std::vector<CProfileData>& profiles);

// The profiles of a file, or the first fault found (profiles is then empty).
ImportError Read(const std::string& utf8, std::vector<CProfileData>& profiles);

}  // namespace profilejson
