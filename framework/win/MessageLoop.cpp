#include "framework/win/MessageLoop.h"

#include "framework/win/Wnd.h"

namespace msgloop {

bool PreTranslate(MSG* msg) {
    HWND top = msg->hwnd ? ::GetAncestor(msg->hwnd, GA_ROOT) : nullptr;
    for (HWND window = msg->hwnd; window; window = ::GetParent(window)) {
        CWnd* object = CWnd::FromHandle(window);
        if (object && object->PreTranslateMessage(msg)) return true;
        if (window == top) break;
    }
    return false;
}

namespace {

void Dispatch(MSG* msg) {
    if (!PreTranslate(msg)) {
        ::TranslateMessage(msg);
        ::DispatchMessageW(msg);
    }
}

}  // namespace

bool PumpMessage() {
    MSG msg;
    BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
        if (got == 0) ::PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
    }
    Dispatch(&msg);
    return true;
}

bool PumpUntilSignalled(HANDLE waitable) {
    while (::MsgWaitForMultipleObjects(1, &waitable, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                return false;
            }
            Dispatch(&msg);
        }
    }
    return true;
}

}  // namespace msgloop
