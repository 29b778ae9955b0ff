// Screen captures of windows and PNG files.
#include "tests/wine/support/GuiDriver.h"
#include "tests/wine/support/GuiDib.h"

#include <wincodec.h>

#include <gtest/gtest.h>

#include "framework/win/ApartmentCall.h"
#include "framework/win/ComRef.h"

#include "tests/wine/support/TestSupport.h"

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

// The caret of the window's thread, relative to the window's screen
// rectangle, when it lies in the window: it blinks, so two captures may
// differ there whatever was painted.
bool CaretRect(HWND window, const RECT& windowRect, RECT* caret) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) || info.hwndCaret == nullptr)
        return false;
    RECT r = info.rcCaret;
    MapWindowPoints(info.hwndCaret, nullptr, reinterpret_cast<POINT*>(&r), 2);
    InflateRect(&r, 1, 1);
    if (!IntersectRect(caret, &r, &windowRect)) return false;
    OffsetRect(caret, -windowRect.left, -windowRect.top);
    return true;
}

// The capture with the caret's rectangle painted over in one colour.
Image WithoutCaret(const Image& image, const RECT& caret) {
    Image masked = image;
    for (int y = caret.top < 0 ? 0 : caret.top; y < caret.bottom && y < masked.height; ++y)
        for (int x = caret.left < 0 ? 0 : caret.left; x < caret.right && x < masked.width; ++x)
            masked.pixels[static_cast<size_t>(y) * masked.width + x] = 0;
    return masked;
}

}  // namespace

Outcome CaptureWindow(HWND window, Image* image) {
    if (!IsWindow(window)) return AssertionFailure() << "no window to capture: " << WindowName(window);
    HWND top = GetAncestor(window, GA_ROOT);
    SetWindowPos(top, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Image previous;
    const Outcome stable = WaitUntil([&] {
        Sync(window);
        RECT rect;
        GetWindowRect(window, &rect);
        Image current;
        if (!CaptureScreenRect(rect, &current)) return AssertionFailure() << "the screen could not be read";
        RECT caret = {};
        const bool hasCaret = CaretRect(window, rect, &caret);
        bool same = current.width == previous.width && current.height == previous.height &&
                    (hasCaret ? WithoutCaret(current, caret).pixels == WithoutCaret(previous, caret).pixels
                              : current.pixels == previous.pixels);
        previous = std::move(current);
        // Give the display a moment to receive a pending flush before comparing again.
        if (!same) Sleep(60);
        return Outcome(same) << "two captures of " << WindowName(window) << " in a row still differed";
    }, 10000);
    if (previous.pixels.empty()) return AssertionFailure() << WindowName(window) << " could not be captured";
    *image = std::move(previous);
    return stable;
}

// Encoded by the system's PNG encoder (WIC), 24-bit BGR rows.
Outcome SavePng(const Image& image, const std::wstring& path) {
    std::vector<BYTE> rows;
    for (uint32_t pixel : image.pixels)
        for (int shift : {0, 8, 16}) rows.push_back(static_cast<BYTE>(pixel >> shift));
    HRESULT hr = E_FAIL;
    CallInOwnApartment([&] {
        ComRef<IWICImagingFactory> factory;
        ComRef<IWICStream> stream;
        ComRef<IWICBitmapEncoder> encoder;
        ComRef<IWICBitmapFrameEncode> frame;
        WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
        hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              factory.OutVoid());
        if (SUCCEEDED(hr)) hr = factory->CreateStream(stream.Out());
        if (SUCCEEDED(hr)) hr = stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE);
        if (SUCCEEDED(hr)) hr = factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.Out());
        if (SUCCEEDED(hr)) hr = encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache);
        if (SUCCEEDED(hr)) hr = encoder->CreateNewFrame(frame.Out(), nullptr);
        if (SUCCEEDED(hr)) hr = frame->Initialize(nullptr);
        if (SUCCEEDED(hr)) hr = frame->SetSize(image.width, image.height);
        if (SUCCEEDED(hr)) hr = frame->SetPixelFormat(&format);
        if (SUCCEEDED(hr) && format != GUID_WICPixelFormat24bppBGR) hr = WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT;
        if (SUCCEEDED(hr)) hr = frame->WritePixels(image.height, image.width * 3, static_cast<UINT>(rows.size()), rows.data());
        if (SUCCEEDED(hr)) hr = frame->Commit();
        if (SUCCEEDED(hr)) hr = encoder->Commit();
        return SUCCEEDED(hr);
    });
    if (SUCCEEDED(hr)) return AssertionSuccess();
    return AssertionFailure() << testsupport::Narrow(path) << " could not be written (0x" << std::hex << hr << ")";
}

Outcome SaveScreenshot(HWND window, const std::wstring& fileName, std::wstring* path) {
    Image image;
    std::wstring full = ArtifactPath(fileName);
    if (path) *path = full;
    Outcome saved = CaptureWindow(window, &image);
    if (saved) saved = SavePng(image, full);
    if (!saved) ADD_FAILURE() << "screenshot " << testsupport::Narrow(fileName) << " not written: " << saved.message();
    return saved;
}

}  // namespace gui
