#include "service/win/PipePublication.h"

#include <bcrypt.h>

#include "applier/SettingRequest.h"
#include "framework/win/UniqueHandle.h"
#include "framework/win/WideText.h"
#include "service/ServiceRegistration.h"

Text NewSettingPipeName() {
    uint8_t random[kSettingPipeRandomBytes] = {};
    if (!BCRYPT_SUCCESS(BCryptGenRandom(nullptr, random, sizeof(random), BCRYPT_USE_SYSTEM_PREFERRED_RNG)))
        return Text();
    return SettingPipeName(random);
}

bool PublishSettingPipe(const Text& name) {
    CRegKey key;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, WPtr(kServiceSettingsKey), 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_64KEY,
                        nullptr, key.Receive(), nullptr) != ERROR_SUCCESS)
        return false;
    const DWORD bytes = static_cast<DWORD>((name.size() + 1) * sizeof(char16_t));
    return RegSetValueExW(key.Get(), WPtr(kServicePipeValue), 0, REG_SZ, reinterpret_cast<const BYTE*>(name.c_str()),
                          bytes) == ERROR_SUCCESS;
}

void WithdrawSettingPipe() {
    CRegKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, WPtr(kServiceSettingsKey), 0, KEY_SET_VALUE | KEY_WOW64_64KEY,
                      key.Receive()) == ERROR_SUCCESS)
        RegDeleteValueW(key.Get(), WPtr(kServicePipeValue));
}
