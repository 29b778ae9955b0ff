#include "system/win/WifiName.h"

#include <windows.h>
#include <objbase.h>
#include <wlanapi.h>

#include "framework/Text.h"
#include "framework/win/UniqueHandle.h"
#include "framework/win/WideText.h"

namespace {

// The WLAN service's functions, looked up once; all null without it.
struct WlanCalls {
    decltype(&WlanOpenHandle) open = nullptr;
    decltype(&WlanCloseHandle) close = nullptr;
    decltype(&WlanQueryInterface) query = nullptr;
    decltype(&WlanFreeMemory) free = nullptr;

    bool Present() const { return open && close && query && free; }
};

template <typename Call>
Call Find(HMODULE module, const char* name) {
    return reinterpret_cast<Call>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

const WlanCalls& Wlan() {
    static const WlanCalls calls = [] {
        WlanCalls c;
        // Loaded for the rest of the process, as a static import would be.
        HMODULE module = ::LoadLibraryExW(L"wlanapi.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        if (module == nullptr) return c;
        c.open = Find<decltype(c.open)>(module, "WlanOpenHandle");
        c.close = Find<decltype(c.close)>(module, "WlanCloseHandle");
        c.query = Find<decltype(c.query)>(module, "WlanQueryInterface");
        c.free = Find<decltype(c.free)>(module, "WlanFreeMemory");
        return c;
    }();
    return calls;
}

struct WlanClientTraits {
    using Type = HANDLE;
    static Type Empty() { return nullptr; }
    static bool Close(Type h) { return Wlan().close(h, nullptr) == ERROR_SUCCESS; }
};

struct WlanMemoryTraits {
    using Type = WLAN_CONNECTION_ATTRIBUTES*;
    static Type Empty() { return nullptr; }
    static bool Close(Type p) {
        Wlan().free(p);
        return true;
    }
};

constexpr DWORD kClientVersion = 2;  // Windows Vista and later

std::wstring NameOf(const DOT11_SSID& ssid) {
    const ULONG length = ssid.uSSIDLength <= DOT11_SSID_MAX_LENGTH ? ssid.uSSIDLength : 0;
    return W(text::FromUtf8(std::string(reinterpret_cast<const char*>(ssid.ucSSID), length)));
}

std::wstring QueryFromWlan(const std::wstring& guidText) {
    const WlanCalls& wlan = Wlan();
    GUID guid{};
    if (!wlan.Present() || FAILED(::CLSIDFromString(guidText.c_str(), &guid))) return std::wstring();
    DWORD version = 0;
    CUniqueHandle<WlanClientTraits> client;
    if (wlan.open(kClientVersion, nullptr, &version, client.Receive()) != ERROR_SUCCESS) return std::wstring();
    DWORD size = 0;
    CUniqueHandle<WlanMemoryTraits> attributes;
    if (wlan.query(client.Get(), &guid, wlan_intf_opcode_current_connection, nullptr, &size,
                   reinterpret_cast<void**>(attributes.Receive()), nullptr) != ERROR_SUCCESS ||
        !attributes.Valid() || size < sizeof(WLAN_CONNECTION_ATTRIBUTES))
        return std::wstring();
    if (attributes.Get()->isState != wlan_interface_state_connected) return std::wstring();
    return NameOf(attributes.Get()->wlanAssociationAttributes.dot11Ssid);
}

}  // namespace

WifiNameCall queryWifiName = QueryFromWlan;
