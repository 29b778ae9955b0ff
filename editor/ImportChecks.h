#pragma once
// What a profile file must satisfy beyond its form: the checks that the
// wizard's pages make before a profile is stored, applied to each profile,
// and the rules of the collection (unique names, at most 12 profiles).
#include <cstdint>
#include <vector>

#include "editor/ImportError.h"
#include "profile/ProfileCollection.h"

namespace importchecks {

// One profile as the wizard would judge it on Next: a name and an icon
// (name page), the TCP/IP settings (TCP/IP page; a fixed address has its
// DNS servers set by hand), its additions (the TCP/IP page's rules for
// them, only where its modes use them) and, when the profile sets the
// proxy, complete proxy details (proxy page). On success the TCP/IP values are what the
// TCP/IP page stores (a lone alternate DNS server becomes the preferred one).
ImportError CheckProfile(CProfileData& profile, int number, int32_t ieMajorVersion);

// The profiles of a file together with those they join (`kept`; null when
// they replace them all): at most 12 in all, no name twice.
ImportError CheckTogether(const std::vector<CProfileData>& imported, const CProfileCollection* kept);

// Everything an import asks of the profiles of a file: each profile in the
// file's order (CheckProfile), then all of them together (CheckTogether).
ImportError CheckImport(std::vector<CProfileData>& imported, const CProfileCollection* kept, int32_t ieMajorVersion);

}  // namespace importchecks
