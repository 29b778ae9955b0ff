#pragma once
// Reads one HKEY_LOCAL_MACHINE value as the decisions over registry
// settings see it (system/ManagedProfiles.h): a REG_DWORD as a number, a
// REG_SZ of at most kSettingTextLimit characters as a text, anything else
// (a missing value or key included) as absent; always the 64-bit view.
#include <windows.h>

#include "system/ManagedProfiles.h"

inline constexpr DWORD kSettingTextLimit = 1024;

RegistrySetting ReadMachineSetting(const char16_t* key, const char16_t* value);

// The policy and the package's value, decided.
bool ReadManagedProfiles();
