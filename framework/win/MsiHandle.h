#pragma once
// The handle owner for Windows Installer's handles (records, views,
// databases) that a custom action makes.
#include <windows.h>
#include <msi.h>

#include "framework/win/UniqueHandle.h"

struct MsiHandleTraits {
    using Type = MSIHANDLE;
    static Type Empty() { return 0; }
    static bool Close(Type handle) { return MsiCloseHandle(handle) == ERROR_SUCCESS; }
};

using CMsiHandle = CUniqueHandle<MsiHandleTraits>;
