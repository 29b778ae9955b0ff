#include "system/win/RegAccess.h"

#include <climits>
#include <cstring>

#include "framework/win/WideText.h"
#include "profile/win/DataFileDigest.h"
#include "system/AutoRunEntry.h"
#include "system/win/RegKey.h"

namespace {

constexpr wchar_t kRunKeyPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kIeKeyPath[] = L"Software\\Microsoft\\Internet Explorer";
constexpr wchar_t kShowSetting[] = L"ShowSetting";
constexpr wchar_t kHideHints[] = L"HideHints";
constexpr wchar_t kDatData[] = L"DatData";
constexpr DWORD kTextChars = 260;  // buffer of the autorun and version queries

// Opens the key for reading, asks for the value's type and size, then reads
// it into `data` (at most `size` bytes). True with its type on success.
bool QueryValue(HKEY root, const wchar_t* keyPath, const wchar_t* name, void* data, DWORD size, DWORD& type) {
    CRegKey key;
    if (!OpenRegKey(root, keyPath, KEY_READ, key)) return false;
    DWORD probeType = 0;
    DWORD probeSize = 0;
    if (RegQueryValueExW(key.Get(), name, nullptr, &probeType, nullptr, &probeSize) != ERROR_SUCCESS) return false;
    DWORD got = size;
    return RegQueryValueExW(key.Get(), name, nullptr, &type, static_cast<BYTE*>(data), &got) == ERROR_SUCCESS;
}

bool ReadDwordSetting(HKEY root, const wchar_t* name, DWORD& value) {
    value = 0;
    DWORD type = REG_NONE;
    return QueryValue(root, kSettingsKeyPath, name, &value, sizeof(value), type) && type == REG_DWORD;
}

// on 1: set REG_DWORD 1 (result 1); on 0: delete the value (result 0).
int WriteSwitchSetting(HKEY root, const wchar_t* name, int on) {
    if (on != 0 && on != 1) return -1;
    CRegKey key;
    if (!CreateRegKey(root, kSettingsKeyPath, key)) return -1;
    if (on == 0) return RegDeleteValueW(key.Get(), name) == ERROR_SUCCESS ? 0 : -1;
    const DWORD one = 1;
    return RegSetValueExW(key.Get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof(one)) ==
                   ERROR_SUCCESS
               ? 1
               : -1;
}

// Value of the leading decimal digits, 0 when there are none; saturates.
int LeadingNumber(const wchar_t* text, std::size_t limit) {
    long long value = 0;
    for (std::size_t i = 0; i < limit && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        value = value * 10 + (text[i] - L'0');
        if (value > INT_MAX) return INT_MAX;
    }
    return static_cast<int>(value);
}

}  // namespace

CRegAccess::CRegAccess()
    : autoRunRoot_(HKEY_CURRENT_USER),
      hideHintsRoot_(HKEY_CURRENT_USER),
      showSettingRoot_(HKEY_CURRENT_USER),
      datDataRoot_(HKEY_CURRENT_USER) {}

bool CRegAccess::ReadShowSetting() {
    DWORD value = 0;
    return ReadDwordSetting(showSettingRoot_, kShowSetting, value) && value == 1;
}

int CRegAccess::WriteShowSetting(int on) { return WriteSwitchSetting(showSettingRoot_, kShowSetting, on); }

bool CRegAccess::ReadHideHints() {
    DWORD value = 0;
    return ReadDwordSetting(hideHintsRoot_, kHideHints, value) && value != 0;
}

int CRegAccess::WriteHideHints(int on) { return WriteSwitchSetting(hideHintsRoot_, kHideHints, on); }

bool CRegAccess::ReadDatData(uint8_t (&digest)[20]) {
    std::memset(digest, 0, sizeof(digest));
    DWORD type = REG_NONE;
    if (QueryValue(datDataRoot_, kSettingsKeyPath, kDatData, digest, sizeof(digest), type) && type == REG_BINARY)
        return true;
    std::memset(digest, 0, sizeof(digest));  // a value that did not fit may have left bytes behind
    return false;
}

int CRegAccess::StoreDatData() {
    uint8_t digest[20];
    if (!ComputeDataFileDigest(digest)) return -1;
    return StoreDatData(digest);
}

int CRegAccess::StoreDatData(const uint8_t (&digest)[20]) {
    CRegKey key;
    if (!CreateRegKey(datDataRoot_, kSettingsKeyPath, key)) return -1;
    return RegSetValueExW(key.Get(), kDatData, 0, REG_BINARY, digest, sizeof(digest)) == ERROR_SUCCESS ? 1 : -1;
}

int CRegAccess::ReadAutoRun() {
    wchar_t text[kTextChars];
    DWORD type = REG_NONE;
    return QueryValue(autoRunRoot_, kRunKeyPath, reinterpret_cast<const wchar_t*>(kAutoRunValueName), text, sizeof(text), type) &&
                   type == REG_SZ
               ? 1
               : 0;
}

int CRegAccess::WriteAutoRun(bool on, const std::wstring& programFolder) {
    CRegKey key;
    if (!CreateRegKey(autoRunRoot_, kRunKeyPath, key)) return -1;
    const wchar_t* name = reinterpret_cast<const wchar_t*>(kAutoRunValueName);
    if (!on) return RegDeleteValueW(key.Get(), name) == ERROR_SUCCESS ? 0 : -1;
    const Text line = AutoRunCommandLine(T(programFolder));
    return RegSetValueExW(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(line.c_str()),
                          static_cast<DWORD>((line.size() + 1) * sizeof(char16_t))) == ERROR_SUCCESS
               ? 1
               : -1;
}

int CRegAccess::ReadMachineAutoRun() {
    wchar_t text[kTextChars];
    DWORD type = REG_NONE;
    return QueryValue(HKEY_LOCAL_MACHINE, kRunKeyPath, reinterpret_cast<const wchar_t*>(kAutoRunValueName), text,
                      sizeof(text), type) &&
                   type == REG_SZ
               ? 1
               : 0;
}

int CRegAccess::ReadIeMajorVersion() {
    wchar_t text[kTextChars] = {};
    DWORD type = REG_NONE;
    if (!QueryValue(HKEY_LOCAL_MACHINE, kIeKeyPath, L"Version", text, sizeof(text), type) || type != REG_SZ)
        return 0;
    return LeadingNumber(text, kTextChars);
}
