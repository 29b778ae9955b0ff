#pragma once
// A profile record whose every byte is chosen by the test, not by the
// record class: byte j is (j * 31 + seed) modulo 256.
#include <cstdint>
#include <vector>

#include "profile/ProfileData.h"

inline CProfileData PatternedRecord(uint8_t seed) {
    std::vector<uint8_t> raw(kProfileRecordSize);
    for (std::size_t j = 0; j < raw.size(); ++j) raw[j] = static_cast<uint8_t>(j * 31 + seed);
    CProfileData p;
    p.LoadBytes(raw.data());
    return p;
}
