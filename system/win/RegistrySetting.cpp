#include "system/win/RegistrySetting.h"

#include <vector>

#include "framework/win/WideText.h"
#include "system/win/RegKey.h"

RegistrySetting ReadMachineSetting(const char16_t* key, const char16_t* value) {
    RegistrySetting setting;
    CRegKey opened;
    if (!OpenRegKey(HKEY_LOCAL_MACHINE, WPtr(key), KEY_QUERY_VALUE | KEY_WOW64_64KEY, opened)) return setting;
    std::vector<wchar_t> data(kSettingTextLimit + 1, L'\0');
    DWORD type = REG_NONE;
    DWORD bytes = kSettingTextLimit * sizeof(wchar_t);
    if (RegQueryValueExW(opened.Get(), WPtr(value), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &bytes) !=
        ERROR_SUCCESS)
        return setting;
    if (type == REG_DWORD && bytes == sizeof(DWORD))
        setting.number = *reinterpret_cast<const DWORD*>(data.data());
    else if (type == REG_SZ)
        setting.text = Text(reinterpret_cast<const char16_t*>(data.data()));  // terminated: one unit more was read
    return setting;
}

bool ReadManagedProfiles() {
    return IsManagedProfiles(ReadMachineSetting(kPolicyKey, kManagedProfilesPolicy),
                             ReadMachineSetting(kProductKey, kManagedValue));
}
