#include "tests/wine/support/InternetSettings.h"

#include <windows.h>
#include <wininet.h>

#include <cstring>

const wchar_t kInternetSettingsKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

namespace {

const wchar_t* const kProxyValues[] = {L"ProxyEnable", L"ProxyServer", L"ProxyOverride", L"AutoConfigURL"};

void TellWinInet() { InternetSetOptionW(nullptr, INTERNET_OPTION_SETTINGS_CHANGED, nullptr, 0); }

}  // namespace

std::wstring InternetSetting(const wchar_t* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kInternetSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return L"<absent>";
    wchar_t buffer[2048] = {};
    DWORD size = sizeof(buffer) - sizeof(wchar_t);
    DWORD type = REG_NONE;
    const LONG rc = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS) return L"<absent>";
    if (type == REG_DWORD) {
        DWORD number = 0;
        std::memcpy(&number, buffer, sizeof(number));
        return std::to_wstring(number);
    }
    return buffer;
}

CInternetSettingsGuard::CInternetSettingsGuard() : seed_(std::make_unique<CRegistrySeed>()) {
    for (const wchar_t* name : kProxyValues) seed_->DeleteValue(HKEY_CURRENT_USER, kInternetSettingsKey, name);
    seed_->SetDword(HKEY_CURRENT_USER, kInternetSettingsKey, L"ProxyEnable", 0);
    TellWinInet();
}

CInternetSettingsGuard::~CInternetSettingsGuard() {
    seed_.reset();
    TellWinInet();
}
