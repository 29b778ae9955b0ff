#pragma once
// What the setting service applies in managed mode: only a profile of the
// data file as it is at that moment, with its additions from the extension
// file, byte for byte outside its profileId (a per-run number of whichever
// program read the file).
#include <cstddef>
#include <cstdint>

#include "profile/ProfileCollection.h"

// Whether the request message (the record, then the profile's extension
// object when it has one) is the message of one of the file's profiles.
bool IsProfileOfFile(const uint8_t* message, std::size_t size, const CProfileCollection& file);
