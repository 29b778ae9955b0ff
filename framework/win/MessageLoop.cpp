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

bool PumpMessage() {
    MSG msg;
    BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
        if (got == 0) ::PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
    }
    if (!PreTranslate(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return true;
}

}  // namespace msgloop
