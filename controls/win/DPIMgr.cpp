#include "controls/win/DPIMgr.h"

#include "controls/DpiArithmetic.h"
#include "framework/win/UniqueHandle.h"

void CDPIMgr::ReadOnce() {
    if (dpiRead) return;
    const CScreenDc screen(::GetDC(nullptr));
    if (screen.Valid()) {
        dpiX = ::GetDeviceCaps(screen.Get(), LOGPIXELSX);
        dpiY = ::GetDeviceCaps(screen.Get(), LOGPIXELSY);
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
