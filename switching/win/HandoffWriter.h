#pragma once
#include <windows.h>

#include "switching/HandoffRecord.h"

// Creates the named block "Tolvik_NetworkSelectMapFile" with its own
// security (the user and SYSTEM full access, Administrators read access, so
// that an applier elevated with another administrator's account reads it
// too), copies the image in and unmaps the view. Returns the mapping
// handle, which the caller keeps open while the applier runs and then
// closes; nullptr when the block could not be created or mapped, or when a
// block of that name exists already.
HANDLE WriteHandoffBlock(const HandoffImage& image);
