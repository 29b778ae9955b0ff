#pragma once
#include <cstdint>

// An IPv4 value from its four octets, the first in the most significant byte.
constexpr uint32_t Ip(uint32_t a, uint32_t b, uint32_t c, uint32_t d) { return a << 24 | b << 16 | c << 8 | d; }
