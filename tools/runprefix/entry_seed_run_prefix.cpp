// Prepares a Wine prefix for running Tolvik_Network.exe by hand: Wine's
// adapters get the connection name and TCP/IP keys that Windows keeps for
// every adapter (Wine writes neither), two sample printers (printing to a
// file) are installed, and the data folder exists. Values already present
// are kept, so running it again changes nothing, except the
// default gateway: the prefix is a demonstration, and a profile's ping of
// the gateway must stay on this machine, so it is always 127.0.0.1.
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <string>

#include "system/win/AdapterDiscovery.h"
#include "tests/wine/support/PrinterSeed.h"
#include "tests/wine/support/RegistrySeed.h"

namespace {

constexpr wchar_t kDemoGateway[] = L"127.0.0.1";
const wchar_t* const kSamplePrinters[] = {L"サンプル プリンタ (オフィス)", L"サンプル プリンタ (自宅)"};

enum class Existing { Keep, Replace };

// Writes a value; one the key already has is kept unless told otherwise.
bool SetValue(HKEY root, const std::wstring& path, const wchar_t* name, DWORD type, const void* data, DWORD size,
              Existing existing = Existing::Keep) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    const bool keep = existing == Existing::Keep &&
                      RegQueryValueExW(key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    bool ok = keep || RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
}

bool SetText(const std::wstring& path, const wchar_t* name, const std::wstring& value,
             Existing existing = Existing::Keep) {
    return SetValue(HKEY_LOCAL_MACHINE, path, name, REG_SZ, value.c_str(),
                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)), existing);
}

bool SetDword(const std::wstring& path, const wchar_t* name, DWORD value) {
    return SetValue(HKEY_LOCAL_MACHINE, path, name, REG_DWORD, &value, sizeof(value));
}

std::wstring FirstOr(const std::vector<std::wstring>& values, const wchar_t* fallback) {
    return values.empty() || values.front().empty() ? fallback : values.front();
}

// The connection gets a Windows-like name; the TCP/IP key describes the
// adapter's present address as a DHCP lease, with the demonstration gateway
// and DNS servers obtained automatically.
bool SeedAdapter(const AdapterInfo& adapter, int number) {
    std::wstring name = L"ローカル エリア接続";
    if (number > 1) name += L" " + std::to_wstring(number);
    const std::wstring tcpip = AdapterTcpipKey(adapter.guid);
    return SetText(AdapterConnectionKey(adapter.guid), L"Name", name) && SetDword(tcpip, L"EnableDHCP", 1) &&
           SetText(tcpip, L"DhcpIPAddress", FirstOr(adapter.ipAddresses, L"0.0.0.0")) &&
           SetText(tcpip, L"DhcpSubnetMask", FirstOr(adapter.ipMasks, L"0.0.0.0")) &&
           SetText(tcpip, L"DhcpDefaultGateway", kDemoGateway, Existing::Replace) &&
           SetText(tcpip, L"NameServer", L"");
}

bool SeedPrinter(const std::wstring& printer) {
    return WritePrinterValues(printer, [](HKEY root, const std::wstring& path, const wchar_t* name, DWORD type,
                                          const void* data, DWORD size) {
        return SetValue(root, path, name, type, data, size);
    });
}

bool MakeDataFolder() {
    wchar_t common[MAX_PATH] = {};
    if (SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, 0, common) != S_OK) return false;
    const std::wstring folder = std::wstring(common) + L"\\Valtrecossin\\TOLVIK_NETWORK";
    const int result = SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    return result == ERROR_SUCCESS || result == ERROR_ALREADY_EXISTS || result == ERROR_FILE_EXISTS;
}

}  // namespace

int wmain() {
    int number = 0;
    bool ok = true;
    for (const AdapterInfo& adapter : ListAdapters()) ok = SeedAdapter(adapter, ++number) && ok;
    for (const wchar_t* printer : kSamplePrinters) ok = SeedPrinter(printer) && ok;
    ok = MakeDataFolder() && ok;
    std::printf("run prefix: %d adapter(s) and 2 printers seeded, data folder %s\n", number, ok ? "ready" : "FAILED");
    return ok ? 0 : 1;
}
