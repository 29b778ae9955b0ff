#pragma once
#include <cstdint>

// SHA-1 of the data file below the common application-data folder (never
// the program-folder fallback). All zero and false when the folder cannot
// be obtained or the file cannot be hashed.
bool ComputeDataFileDigest(uint8_t (&digest)[20]);
