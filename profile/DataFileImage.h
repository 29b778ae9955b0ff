#pragma once
// The profile data file as bytes: a 196-byte header (signature, checksum,
// count) followed by the records, little-endian throughout.
//
//   0    64  signature text, zero padded
//   64    4  checksum: byte sum of everything after the header (32 bits)
//   68  124  reserved, written as zeros, not checked on reading
//   192   4  count of records
//   196 ...  count x 26,148-byte records, in collection order
#include <cstddef>
#include <cstdint>
#include <vector>

#include "profile/ProfileCollection.h"

namespace datafile {

inline constexpr std::size_t kHeaderSize = 196;
inline constexpr std::size_t kSignatureAreaSize = 64;
inline constexpr std::size_t kChecksumOffset = 64;
inline constexpr std::size_t kCountOffset = 192;
inline constexpr char kSignature[] = "Valtrecossin Wendlemarquist V1.00 ProfileData";

// Sum of the bytes as unsigned values, wrapping at 32 bits.
uint32_t ByteSum(const uint8_t* bytes, std::size_t size);

// The whole file image of the collection. 0 built, -1 when a record could
// not be fetched (the image is then empty).
int Encode(const CProfileCollection& profiles, std::vector<uint8_t>& image);

// Validates an image and adds its records to the collection, which is not
// cleared first; the collection hands out new identifiers. 0 loaded,
// -1 unusable (records added before a failing add stay in the collection).
int Decode(const uint8_t* image, std::size_t size, CProfileCollection& profiles);

}  // namespace datafile
