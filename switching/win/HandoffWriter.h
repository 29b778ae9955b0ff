#pragma once
#include <windows.h>

#include "profile/ProfileData.h"

// Creates the named block "Tolvik_NetworkSelectMapFile", fills it with the
// profile and the window handle (32-bit form) and unmaps the view. Returns
// the mapping handle, which the caller keeps open while the applier runs
// and then closes; nullptr when the block could not be created or mapped,
// or when a block of that name exists already.
HANDLE WriteHandoffBlock(const CProfileData& profile, HWND window);
