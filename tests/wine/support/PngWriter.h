#pragma once
// Minimal PNG encoder for test screenshots: 8-bit RGB, no filtering, the
// image data in stored (uncompressed) deflate blocks. No Windows headers.
#include <cstdint>
#include <vector>

namespace gui {

// Pixels row by row from the top, each 0x00RRGGBB.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// The PNG file bytes of the image.
std::vector<uint8_t> EncodePng(const Image& image);

}  // namespace gui
