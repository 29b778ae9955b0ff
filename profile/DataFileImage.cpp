#include "profile/DataFileImage.h"

#include <cstring>

namespace datafile {
namespace {

constexpr int64_t kMaxRecordBytes = 0xFFFFFFFFLL;  // what a 32-bit length can describe

uint32_t ReadLe32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

void WriteLe32(uint8_t* p, uint32_t value) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(value >> (8 * i));
}

// Signature followed by zeros up to offset 64.
void FillSignature(uint8_t* header) {
    std::memset(header, 0, kSignatureAreaSize);
    std::memcpy(header, kSignature, sizeof(kSignature) - 1);
}

bool SignatureMatches(const uint8_t* image) {
    uint8_t expected[kSignatureAreaSize];
    FillSignature(expected);
    return std::memcmp(image, expected, kSignatureAreaSize) == 0;
}

// True when the bytes after the header are exactly `count` records; the
// product is formed in 64 bits so a crafted count cannot wrap around.
bool LengthMatchesCount(std::size_t size, int32_t count) {
    if (count < 0) return false;
    const int64_t recordBytes = static_cast<int64_t>(count) * static_cast<int64_t>(kProfileRecordSize);
    if (recordBytes > kMaxRecordBytes) return false;
    return static_cast<uint64_t>(size - kHeaderSize) == static_cast<uint64_t>(recordBytes);
}

}  // namespace

uint32_t ByteSum(const uint8_t* bytes, std::size_t size) {
    uint32_t sum = 0;
    for (std::size_t i = 0; i < size; ++i) sum += bytes[i];
    return sum;
}

int Encode(const CProfileCollection& profiles, std::vector<uint8_t>& image) {
    const std::size_t count = static_cast<std::size_t>(profiles.Count());
    image.assign(kHeaderSize + count * kProfileRecordSize, 0);
    CProfileData record;
    for (std::size_t i = 0; i < count; ++i) {
        record.Reset();
        if (profiles.GetByPosition(static_cast<int>(i), &record) != 0) {
            image.clear();
            return -1;
        }
        std::memcpy(image.data() + kHeaderSize + i * kProfileRecordSize, record.Bytes(), kProfileRecordSize);
    }
    FillSignature(image.data());
    WriteLe32(image.data() + kChecksumOffset, ByteSum(image.data() + kHeaderSize, image.size() - kHeaderSize));
    WriteLe32(image.data() + kCountOffset, static_cast<uint32_t>(count));
    return 0;
}

int Decode(const uint8_t* image, std::size_t size, CProfileCollection& profiles) {
    if (image == nullptr || size < kHeaderSize || !SignatureMatches(image)) return -1;
    const int32_t count = static_cast<int32_t>(ReadLe32(image + kCountOffset));
    const uint32_t checksum = ReadLe32(image + kChecksumOffset);
    if (!LengthMatchesCount(size, count)) return -1;
    if (ByteSum(image + kHeaderSize, size - kHeaderSize) != checksum) return -1;
    CProfileData record;
    for (int32_t i = 0; i < count; ++i) {
        record.Reset();
        record.LoadBytes(image + kHeaderSize + static_cast<std::size_t>(i) * kProfileRecordSize);
        if (profiles.Add(record) <= 0) return -1;
    }
    return 0;
}

}  // namespace datafile
