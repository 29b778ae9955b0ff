#pragma once
#include <windows.h>

// Owns an open registry key and closes it when it goes out of scope.
class CRegKey {
public:
    CRegKey() = default;
    ~CRegKey() {
        if (key_ != nullptr) RegCloseKey(key_);
    }
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;

    bool Open(HKEY root, const wchar_t* path, REGSAM access) {
        if (RegOpenKeyExW(root, path, 0, access, &key_) == ERROR_SUCCESS) return true;
        key_ = nullptr;
        return false;
    }
    // Opens the key, creating it when it does not exist yet.
    bool Create(HKEY root, const wchar_t* path) {
        if (RegCreateKeyExW(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key_,
                            nullptr) == ERROR_SUCCESS)
            return true;
        key_ = nullptr;
        return false;
    }
    HKEY Get() const { return key_; }

private:
    HKEY key_ = nullptr;
};
