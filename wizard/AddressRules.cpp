#include "wizard/AddressRules.h"

namespace addressrules {

bool MaskFromClass(int firstField, uint32_t* mask) {
    if (firstField >= 1 && firstField <= 127) *mask = 0xFF000000u;
    else if (firstField >= 128 && firstField <= 191) *mask = 0xFFFF0000u;
    else if (firstField >= 192 && firstField <= 223) *mask = 0xFFFFFF00u;
    else return false;
    return true;
}

bool IsValidMask(uint32_t mask) {
    if (mask == 0 || mask == 0xFFFFFFFFu) return false;
    bool seenOne = false;
    for (int bit = 0; bit < 32; ++bit) {
        const bool one = (mask >> bit) & 1u;
        if (seenOne && !one) return false;
        seenOne = seenOne || one;
    }
    return true;
}

bool IsFirstFieldAllowed(uint32_t address) {
    const uint32_t first = address >> 24;
    return first != 127 && first <= 223;
}

bool IsNetworkOrBroadcast(uint32_t address, uint32_t mask) {
    return (address & ~mask) == 0 || (address | mask) == 0xFFFFFFFFu;
}

}  // namespace addressrules
