#pragma once
// What the setting service applies in managed mode: only a profile of the
// data file as it is at that moment, byte for byte outside its profileId
// (a per-run number of whichever program read the file).
#include <cstddef>
#include <cstdint>

#include "profile/ProfileCollection.h"

// Whether the request's record (kProfileRecordSize bytes) is one of the
// file's profiles.
bool IsProfileOfFile(const uint8_t* record, std::size_t size, const CProfileCollection& file);
