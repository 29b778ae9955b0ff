#include "switching/win/DefaultPrinter.h"

#include <windows.h>
#include <winspool.h>

#include "system/win/RegKey.h"

namespace {

constexpr wchar_t kWindowsKey[] = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
constexpr wchar_t kLegacyModeValue[] = L"LegacyDefaultPrinterMode";

void StopWindowsManagingTheDefault() {
    CRegKey key;
    if (!CreateRegKey(HKEY_CURRENT_USER, kWindowsKey, key)) return;
    const DWORD on = 1;
    RegSetValueExW(key.Get(), kLegacyModeValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&on), sizeof(on));
}

}  // namespace

bool SetKeptDefaultPrinter(const std::wstring& printer) {
    StopWindowsManagingTheDefault();
    return SetDefaultPrinterW(printer.c_str()) != FALSE;
}
