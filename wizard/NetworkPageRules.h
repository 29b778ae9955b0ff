#pragma once
// The connection page's rules for the network a profile records and when
// the program applies the profile by itself: applying it on joining its
// network needs a recorded network; a fall-back fits one address mode (as
// Windows' alternate configuration, "no DHCP server answers" is a fixed
// profile's; "the fixed network's gateway does not answer" a DHCP
// profile's); and a connection has at most one profile for each fall-back.
// The bulk-edit tool's import checks the same.
#include <cstdint>

#include "framework/Text.h"
#include "profile/ProfileCollection.h"
#include "profile/ProfileData.h"

namespace networkpage {

using Fallback = ProfileExtension::Fallback;

// Whether `fallback` suits a profile of this address mode (ipMode 1: fixed).
bool FallbackFitsMode(Fallback fallback, int32_t ipMode);

// Whether `automatic` has the recorded network it needs.
bool AutomaticHasNetwork(const ProfileExtension& extension);

// Whether two profiles of the same connection name have the same fall-back.
bool ShareFallback(const CProfileData& a, const CProfileData& b);

// The name of a profile of `profiles` other than `profile` (told apart by
// profileId) that shares its fall-back; empty when there is none.
Text FallbackTakenBy(const CProfileCollection& profiles, const CProfileData& profile);

}  // namespace networkpage
