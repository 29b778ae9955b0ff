#pragma once
// SHA-256 (FIPS 180-4) of a whole buffer; portable, no system library.
#include <array>
#include <cstddef>
#include <cstdint>

using Sha256Digest = std::array<uint8_t, 32>;

Sha256Digest Sha256(const uint8_t* data, std::size_t size);
