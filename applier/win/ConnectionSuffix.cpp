#include "applier/win/ConnectionSuffix.h"

#include <string>

#include "framework/win/UniqueHandle.h"
#include "framework/win/WideText.h"
#include "system/win/AdapterKeys.h"

namespace {

// More adapter keys than any computer has: the enumeration ends there.
constexpr DWORD kMaxAdapters = 4096;
constexpr DWORD kNameChars = 512;  // a connection name has up to 256

// The connection name kept for the adapter `guid` below `network`; empty when unreadable.
std::wstring ConnectionName(HKEY network, const std::wstring& guid) {
    CRegKey connection;
    if (RegOpenKeyExW(network, (guid + L"\\Connection").c_str(), 0, KEY_QUERY_VALUE, connection.Receive()) !=
        ERROR_SUCCESS)
        return std::wstring();
    wchar_t name[kNameChars + 1] = {};  // one unit more than is read: always terminated
    DWORD type = REG_NONE;
    DWORD bytes = kNameChars * sizeof(wchar_t);
    if (RegQueryValueExW(connection.Get(), kConnectionNameValue, nullptr, &type, reinterpret_cast<BYTE*>(name),
                         &bytes) != ERROR_SUCCESS ||
        type != REG_SZ)
        return std::wstring();
    return name;
}

// The GUID text of the adapter whose connection is `name`; empty when none is.
std::wstring AdapterOfConnection(const std::wstring& name) {
    CRegKey network;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kNetworkConnectionsKey, 0, KEY_ENUMERATE_SUB_KEYS, network.Receive()) !=
        ERROR_SUCCESS)
        return std::wstring();
    for (DWORD i = 0; i < kMaxAdapters; ++i) {
        wchar_t guid[MAX_PATH] = {};
        DWORD length = MAX_PATH;
        const LONG read = RegEnumKeyExW(network.Get(), i, guid, &length, nullptr, nullptr, nullptr, nullptr);
        if (read == ERROR_MORE_DATA) continue;  // no adapter's name is that long
        if (read != ERROR_SUCCESS) break;
        const std::wstring connection = ConnectionName(network.Get(), guid);
        if (!connection.empty() && CompareStringOrdinal(connection.c_str(), -1, name.c_str(), -1, TRUE) == CSTR_EQUAL)
            return guid;
    }
    return std::wstring();
}

}  // namespace

bool SetConnectionSuffix(const SuffixSetting& setting) {
    const bool clearing = setting.suffix.empty();
    const std::wstring guid = AdapterOfConnection(W(setting.connectionName));
    if (guid.empty()) return clearing;
    CRegKey tcpip;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, (std::wstring(kAdapterTcpipKey) + L"\\" + guid).c_str(), 0, KEY_SET_VALUE,
                      tcpip.Receive()) != ERROR_SUCCESS)
        return clearing;
    const std::wstring suffix = W(setting.suffix);
    return RegSetValueExW(tcpip.Get(), kConnectionSuffixValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(suffix.c_str()),
                          static_cast<DWORD>((suffix.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}
