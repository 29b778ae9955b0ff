// Screen captures of windows and PNG files.
#include "tests/wine/support/GuiDriver.h"

namespace gui {
namespace {

// Copies a screen rectangle into `image` through a top-down 32-bit DIB.
bool CaptureScreenRect(const RECT& rect, Image* image) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return false;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    if (!screen) return false;
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (memory && bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        ok = BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY) != 0;
        GdiFlush();
        if (ok) {
            const auto* p = static_cast<const uint32_t*>(bits);
            image->width = width;
            image->height = height;
            image->pixels.resize(static_cast<size_t>(width) * height);
            for (size_t i = 0; i < image->pixels.size(); ++i) image->pixels[i] = p[i] & 0xFFFFFFu;
        }
        SelectObject(memory, old);
    }
    if (bitmap) DeleteObject(bitmap);
    if (memory) DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok;
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
