// Screen captures of windows and PNG files.
#include "tests/wine/support/GuiDriver.h"
#include "tests/wine/support/GuiDib.h"

namespace gui {
namespace {

// Copies a screen rectangle into `image` through a top-down 32-bit DIB.
bool CaptureScreenRect(const RECT& rect, Image* image) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return false;
    DibCanvas canvas(width, height);
    HDC screen = GetDC(nullptr);
    if (!screen) return false;
    bool ok = canvas.Ok() && BitBlt(canvas.Dc(), 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    if (!ok) return false;
    const uint32_t* p = canvas.Pixels();
    image->width = width;
    image->height = height;
    image->pixels.assign(p, p + static_cast<size_t>(width) * height);
    for (auto& px : image->pixels) px &= 0xFFFFFFu;
    return true;
}

}  // namespace

bool CaptureWindow(HWND window, Image* image) {
    if (!IsWindow(window)) return false;
    HWND top = GetAncestor(window, GA_ROOT);
    SetWindowPos(top, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Image previous;
    bool stable = WaitUntil([&] {
        Sync(window);
        RECT rect;
        GetWindowRect(window, &rect);
        Image current;
        if (!CaptureScreenRect(rect, &current)) return false;
        bool same = current.width == previous.width && current.height == previous.height &&
                    current.pixels == previous.pixels;
        previous = std::move(current);
        // Give the display a moment to receive a pending flush before comparing again.
        if (!same) Sleep(60);
        return same;
    }, 10000);
    if (previous.pixels.empty()) return false;
    *image = std::move(previous);
    return stable;
}

bool SavePng(const Image& image, const std::wstring& path) {
    std::vector<uint8_t> bytes = EncodePng(image);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
              written == bytes.size();
    CloseHandle(file);
    return ok;
}

bool SaveScreenshot(HWND window, const std::wstring& fileName, std::wstring* path) {
    Image image;
    if (!CaptureWindow(window, &image)) return false;
    std::wstring full = ArtifactPath(fileName);
    if (path) *path = full;
    return SavePng(image, full);
}

}  // namespace gui
