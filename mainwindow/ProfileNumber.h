#pragma once
// Profiles requested by number (a jump-list task, the command line or a
// second start): the number is the profile's 1-based position in the
// collection, which is how the published tasks name them.
#include <cstdint>

#include "profile/ProfileCollection.h"

// The identifier of the profile at that position, or -1 when there is none.
int32_t ProfileIdAtNumber(const CProfileCollection& profiles, int number);
