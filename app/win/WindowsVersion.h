#pragma once
#include <windows.h>

// Windows 7 (6.1, any service pack) or later, asked with VerifyVersionInfoW
// (major, minor and service-pack major version, each "greater or equal").
// Header-only so that both programs can use it.
inline bool IsWindows7OrLater() {
    OSVERSIONINFOEXW version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    version.dwMajorVersion = 6;
    version.dwMinorVersion = 1;
    version.wServicePackMajor = 0;
    version.wProductType = VER_NT_WORKSTATION;  // filled in, but not in the mask
    ULONGLONG mask = 0;
    mask = VerSetConditionMask(mask, VER_MAJORVERSION, VER_GREATER_EQUAL);
    mask = VerSetConditionMask(mask, VER_MINORVERSION, VER_GREATER_EQUAL);
    mask = VerSetConditionMask(mask, VER_SERVICEPACKMAJOR, VER_GREATER_EQUAL);
    return VerifyVersionInfoW(&version, VER_MAJORVERSION | VER_MINORVERSION | VER_SERVICEPACKMAJOR, mask) != FALSE;
}
