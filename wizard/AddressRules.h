#pragma once
// Rules for one IPv4 value as the TCP/IP settings use it (first octet in the
// most significant byte). Shared by the TCP/IP page and by anything else
// that has to judge addresses a profile will carry.
#include <cstdint>

namespace addressrules {

// The subnet mask that goes with an address whose first field is
// `firstField`: 255.0.0.0 for 1..127, 255.255.0.0 for 128..191,
// 255.255.255.0 for 192..223. A blank first field (0) or 224 and above
// suggest nothing: false, and *mask is left alone.
bool MaskFromClass(int firstField, uint32_t* mask);

// A usable subnet mask: not 0, not 255.255.255.255, and its one bits form
// one unbroken run from the most significant bit down.
bool IsValidMask(uint32_t mask);

// The first octet of an address or DNS server lies in 0..126 or 128..223
// (127 is loopback, 224 and above are multicast and reserved).
bool IsFirstFieldAllowed(uint32_t address);

// The host part of `address` under `mask` is all zeros (the network itself)
// or all ones (its broadcast address).
bool IsNetworkOrBroadcast(uint32_t address, uint32_t mask);

}  // namespace addressrules
