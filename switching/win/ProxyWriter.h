#pragma once
#include <windows.h>
#include <wininet.h>

#include "profile/ProfileData.h"

// The call that hands options to WinINet; a test may look at what is handed
// over instead.
using InternetOptionCall = BOOL(WINAPI*)(HINTERNET, DWORD, LPVOID, DWORD);

// The proxy step of a switch: writes the profile's Internet Explorer proxy
// settings into the LAN connection's per-connection options and sends the
// settings-changed notification, both through `setOption`.
// 1 = left unchanged (mode 1), 0 = written, -1 = the option call failed.
int ApplyProxySettings(const CProfileData& profile, int ieMajorVersion,
                       InternetOptionCall setOption = InternetSetOptionW);
