#pragma once
// Windows' message filter (UIPI) drops many messages that a process of lower
// integrity sends to an elevated one; a window can let chosen ones through.
#include <windows.h>

#include <initializer_list>

// ChangeWindowMessageFilterEx of user32.
using MessageFilterCall = BOOL(WINAPI*)(HWND, UINT, DWORD, PCHANGEFILTERSTRUCT);

// The call that AllowMessagesFromAnyProcess makes: the system's, looked up
// in user32, or null where the system has none (before Windows 7). A test
// may look at what is handed over instead.
extern MessageFilterCall changeMessageFilter;

// Lets each message reach `window` from any process, whatever its integrity
// (MSGFLT_ALLOW). False when the system has no such filter or a call failed.
bool AllowMessagesFromAnyProcess(HWND window, std::initializer_list<UINT> messages);
