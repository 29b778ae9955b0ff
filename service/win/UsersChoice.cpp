#include "service/win/UsersChoice.h"

#include <windows.h>

#include "framework/win/UniqueHandle.h"
#include "framework/win/WideText.h"
#include "service/ServiceRegistration.h"

namespace {

constexpr DWORD kChoiceChars = 32;

}  // namespace

Text ReadUsersChoice() {
    CRegKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, WPtr(kServiceSettingsKey), 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY,
                      key.Receive()) != ERROR_SUCCESS)
        return Text();
    wchar_t value[kChoiceChars + 1] = {};
    DWORD type = 0;
    DWORD bytes = kChoiceChars * sizeof(wchar_t);
    if (RegQueryValueExW(key.Get(), WPtr(kServiceUsersValue), nullptr, &type, reinterpret_cast<BYTE*>(value),
                         &bytes) != ERROR_SUCCESS ||
        type != REG_SZ)
        return Text();
    return Text(reinterpret_cast<const char16_t*>(value));  // terminated: one unit more than was read
}
