#pragma once
#include <windows.h>

#include "framework/win/UniqueHandle.h"

// Opens the key into `key`; false, with `key` untouched, when it cannot be
// opened.
inline bool OpenRegKey(HKEY root, const wchar_t* path, REGSAM access, CRegKey& key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, path, 0, access, &opened) != ERROR_SUCCESS) return false;
    key.Reset(opened);
    return true;
}

// Opens the key with full access, creating it when it does not exist yet.
inline bool CreateRegKey(HKEY root, const wchar_t* path, CRegKey& key) {
    HKEY created = nullptr;
    if (RegCreateKeyExW(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &created,
                        nullptr) != ERROR_SUCCESS)
        return false;
    key.Reset(created);
    return true;
}
