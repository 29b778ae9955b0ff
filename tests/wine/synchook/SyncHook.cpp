// Sees the GUI driver's marker when a hooked thread takes it from its queue,
// which happens only after everything posted before it has been dispatched,
// and sets the driver's event for it. The marker carries its ticket in wParam
// and the driver's process id in lParam.
#include <windows.h>

#include <cwchar>

extern "C" __declspec(dllexport) LRESULT CALLBACK SyncGetMessageHook(int code, WPARAM removal, LPARAM lParam) {
    static const UINT marker = RegisterWindowMessageW(L"Ortivo.GuiDriver.Sync");
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (code >= 0 && removal == PM_REMOVE && msg->message == marker) {
        wchar_t name[80];
        swprintf(name, 80, L"Local\\Ortivo.GuiDriver.Sync.%lu.%lu", static_cast<unsigned long>(msg->lParam),
                 static_cast<unsigned long>(msg->wParam));
        if (HANDLE seen = OpenEventW(EVENT_MODIFY_STATE, FALSE, name)) {
            SetEvent(seen);
            CloseHandle(seen);
        }
    }
    return CallNextHookEx(nullptr, code, removal, lParam);
}
