#include "service/win/UsersChoice.h"

#include <windows.h>

#include "framework/win/UniqueHandle.h"
#include "framework/win/WideText.h"
#include "service/ServiceRegistration.h"

namespace {

constexpr DWORD kChoiceChars = 32;

// The value's text when it is a string that fits, nothing otherwise.
std::optional<Text> ReadChoice() {
    CRegKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, WPtr(kServiceSettingsKey), 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY,
                      key.Receive()) != ERROR_SUCCESS)
        return std::nullopt;
    wchar_t value[kChoiceChars + 1] = {};
    DWORD type = 0;
    DWORD bytes = kChoiceChars * sizeof(wchar_t);
    if (RegQueryValueExW(key.Get(), WPtr(kServiceUsersValue), nullptr, &type, reinterpret_cast<BYTE*>(value),
                         &bytes) != ERROR_SUCCESS ||
        type != REG_SZ)
        return std::nullopt;
    return Text(reinterpret_cast<const char16_t*>(value));  // terminated: one unit more than was read
}

}  // namespace

ServiceUsers ReadServiceUsers() { return UsersFromChoice(ReadChoice()); }
