#pragma once
// The text form of an adapter's hardware address ("00:1A:2B:3C:4D:5E").
#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/Text.h"

namespace mactext {

// Each byte as two upper-case hexadecimal digits, joined by ":".
// No bytes give an empty text.
Text Format(const uint8_t* bytes, std::size_t length);

// The length of an Ethernet (and Wi-Fi) address.
inline constexpr std::size_t kEthernetBytes = 6;

// Whether `text` is `bytes` pairs of hexadecimal digits (either case)
// joined by ":", as Format writes them.
bool IsWellFormed(const Text& text, std::size_t bytes);

// True when both texts name the same address. Hexadecimal digits mean the
// same in either case, and some sources (WMI on some systems) report them
// in lower case, so letters are compared without regard to case. An empty
// text names no address and matches nothing.
bool Same(const Text& a, const Text& b);

// Position of the last entry of `texts` that is the same address as `mac`
// (when two adapters share an address, the last one counts); npos if none.
std::size_t FindLast(const std::vector<Text>& texts, const Text& mac);

}  // namespace mactext
