#pragma once
// The handle owner for WinINet's sessions, connections and requests.
#include <windows.h>
#include <wininet.h>

#include "framework/win/UniqueHandle.h"

struct InternetHandleTraits {
    using Type = HINTERNET;
    static Type Empty() { return nullptr; }
    static bool Close(Type handle) { return InternetCloseHandle(handle) != FALSE; }
};

using CInternetHandle = CUniqueHandle<InternetHandleTraits>;
