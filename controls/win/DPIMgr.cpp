#include "controls/win/DPIMgr.h"

#include "controls/DpiArithmetic.h"

void CDPIMgr::ReadOnce() {
    if (dpiRead) return;
    if (HDC screen = ::GetDC(nullptr)) {
        dpiX = ::GetDeviceCaps(screen, LOGPIXELSX);
        dpiY = ::GetDeviceCaps(screen, LOGPIXELSY);
        ::ReleaseDC(nullptr, screen);
    }
    dpiRead = true;
}

int CDPIMgr::ScaleX(int n) {
    ReadOnce();
    return dpi::Scale(n, dpiX);
}

int CDPIMgr::ScaleY(int n) {
    ReadOnce();
    return dpi::Scale(n, dpiY);
}

int CDPIMgr::ScaleXPercent(int n) {
    ReadOnce();
    return dpi::ScalePercent(n, dpiX);
}

int CDPIMgr::ScaleYPercent(int n) {
    ReadOnce();
    return dpi::ScalePercent(n, dpiY);
}
