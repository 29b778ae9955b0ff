#pragma once
// A 32-bit top-down DIB section selected into a memory DC, for the driver's
// captures and icon renderings. Internal to the GUI driver.
#include <windows.h>

#include <cstdint>

namespace gui {

class DibCanvas {
public:
    DibCanvas(int width, int height);
    ~DibCanvas();
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;

    bool Ok() const { return dc_ && bits_; }
    HDC Dc() const { return dc_; }
    // Pixels after GDI has finished drawing, 0x??RRGGBB.
    const uint32_t* Pixels() const;
    uint32_t* MutablePixels() { return static_cast<uint32_t*>(bits_); }

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    void* bits_ = nullptr;
};

}  // namespace gui
