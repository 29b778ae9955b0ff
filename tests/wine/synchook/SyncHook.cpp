// Sees the GUI driver's marker when a hooked thread takes it from its queue,
// which happens only after everything posted before it has been dispatched,
// and sets the driver's event for it.
#include "tests/wine/synchook/SyncHook.h"

extern "C" __declspec(dllexport) LRESULT CALLBACK SyncGetMessageHook(int code, WPARAM removal, LPARAM lParam) {
    static const UINT marker = RegisterWindowMessageW(synchook::kMarkerMessage);
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (code >= 0 && removal == PM_REMOVE && msg->message == marker) {
        const synchook::EventName name = synchook::SeenEventName(static_cast<unsigned long>(msg->lParam),
                                                                 static_cast<unsigned long>(msg->wParam));
        if (HANDLE seen = OpenEventW(EVENT_MODIFY_STATE, FALSE, name.text)) {
            SetEvent(seen);
            CloseHandle(seen);
        }
    }
    return CallNextHookEx(nullptr, code, removal, lParam);
}
