#pragma once
// What the GUI driver and its message hook agree on: the marker that the
// driver posts (ticket in wParam, the driver's process id in lParam), and the
// event the hook sets once the hooked thread has taken that marker.
#include <windows.h>

#include <cwchar>

namespace synchook {

constexpr wchar_t kMarkerMessage[] = L"Ortivo.GuiDriver.Sync";
constexpr char kHookProcName[] = "SyncGetMessageHook";
constexpr wchar_t kDllName[] = L"gui_sync_hook.dll";

struct EventName {
    wchar_t text[80];
};

inline EventName SeenEventName(unsigned long driverProcessId, unsigned long ticket) {
    EventName name;
    swprintf(name.text, 80, L"Local\\Ortivo.GuiDriver.Sync.%lu.%lu", driverProcessId, ticket);
    return name;
}

}  // namespace synchook
