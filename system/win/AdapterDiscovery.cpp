#include "system/win/AdapterDiscovery.h"

#include <winsock2.h>
#include <ws2ipdef.h>
#include <windows.h>
#include <iphlpapi.h>
#include <netioapi.h>

#include <memory>
#include <new>
#include <vector>

#include "framework/win/MibTable.h"
#include "framework/win/WideText.h"
#include "system/MacText.h"
#include "system/win/AdapterKeys.h"
#include "system/win/RegKey.h"

namespace {

// Every text value is read into a buffer of this many bytes.
constexpr DWORD kValueBytes = 1024;
// "NameServer" may hold up to this many characters.
constexpr DWORD kNameServerChars = 1024;

// A registry key opened for reading and closed when the reader goes.
class ReadKey {
public:
    ReadKey(HKEY root, const std::wstring& path) { OpenRegKey(root, path.c_str(), KEY_READ, key_); }

    bool IsOpen() const { return key_.Valid(); }

    // The value up to its first zero unit, read into a buffer of `bytes`
    // bytes; `type` receives its type. False when it cannot be read
    // (missing, or larger than the buffer).
    bool Read(const wchar_t* name, DWORD bytes, std::wstring* value, DWORD* type = nullptr) const {
        // One unit more than the buffer the system fills, so a value that
        // fills it and carries no terminator of its own still ends.
        std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1, L'\0');
        DWORD size = bytes;
        DWORD valueType = REG_NONE;
        if (RegQueryValueExW(key_.Get(), name, nullptr, &valueType, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
            ERROR_SUCCESS)
            return false;
        if (type) *type = valueType;
        *value = buffer.data();
        return true;
    }

    // As Read, into a buffer of 1,024 bytes; empty when it cannot be read.
    std::wstring Text(const wchar_t* name, DWORD* type = nullptr) const {
        std::wstring value;
        return Read(name, kValueBytes, &value, type) ? value : std::wstring();
    }

    bool Dword(const wchar_t* name, DWORD& value) const {
        value = 0;
        DWORD size = sizeof(value);
        return RegQueryValueExW(key_.Get(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) ==
               ERROR_SUCCESS;
    }

private:
    CRegKey key_;
};

std::wstring FromAnsi(const char* s) {
    const int n = MultiByteToWideChar(CP_ACP, 0, s, -1, nullptr, 0);
    if (n <= 1) return std::wstring();
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, s, -1, &out[0], n);
    out.resize(static_cast<std::size_t>(n - 1));
    return out;
}

AdapterInfo MakeEntry(const IP_ADAPTER_INFO& a) {
    AdapterInfo entry;
    entry.guid = FromAnsi(a.AdapterName);
    entry.description = FromAnsi(a.Description);
    const std::size_t length = a.AddressLength < MAX_ADAPTER_ADDRESS_LENGTH ? a.AddressLength
                                                                             : MAX_ADAPTER_ADDRESS_LENGTH;
    entry.macText = W(mactext::Format(a.Address, length));
    entry.dhcpEnabled = a.DhcpEnabled != 0;
    for (const IP_ADDR_STRING* ip = &a.IpAddressList; ip; ip = ip->Next) {
        entry.ipAddresses.push_back(FromAnsi(ip->IpAddress.String));
        entry.ipMasks.push_back(FromAnsi(ip->IpMask.String));
    }
    for (const IP_ADDR_STRING* gw = &a.GatewayList; gw; gw = gw->Next)
        entry.gateways.push_back(FromAnsi(gw->IpAddress.String));
    return entry;
}

// IP Helper's size protocol: asked with no buffer, the call answers
// ERROR_BUFFER_OVERFLOW and the size it needs; then it fills a buffer of
// that size. Null on any other answer.
template <typename Info, typename Query>
std::unique_ptr<BYTE[]> QueryWithSize(Query query) {
    ULONG size = 0;
    if (query(nullptr, &size) != ERROR_BUFFER_OVERFLOW) return nullptr;
    std::unique_ptr<BYTE[]> buffer(new (std::nothrow) BYTE[size]);
    if (!buffer || query(reinterpret_cast<Info*>(buffer.get()), &size) != ERROR_SUCCESS) return nullptr;
    return buffer;
}

constexpr ULONG kAddressFlags =
    GAA_FLAG_INCLUDE_GATEWAYS | GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST | GAA_FLAG_SKIP_FRIENDLY_NAME;
constexpr int kAddressBits = 32;

// An IPv4 socket address, first octet in the most significant byte; 0 for another family.
uint32_t Ipv4Of(const SOCKET_ADDRESS& address) {
    if (address.lpSockaddr == nullptr || address.lpSockaddr->sa_family != AF_INET) return 0;
    return ntohl(reinterpret_cast<const sockaddr_in*>(address.lpSockaddr)->sin_addr.s_addr);
}

uint32_t MaskOfLength(unsigned length) {
    if (length == 0 || length > kAddressBits) return 0;
    return ~uint32_t{0} << (kAddressBits - length);
}

// Every IPv4 address of a list of GetAdaptersAddresses, skipping the others.
template <typename Entry>
std::vector<uint32_t> Ipv4List(const Entry* first) {
    std::vector<uint32_t> addresses;
    for (const Entry* e = first; e != nullptr; e = e->Next)
        if (const uint32_t address = Ipv4Of(e->Address)) addresses.push_back(address);
    return addresses;
}

AdapterAddresses MakeAddresses(const IP_ADAPTER_ADDRESSES& a) {
    AdapterAddresses entry;
    entry.found = true;
    entry.guid = FromAnsi(a.AdapterName);
    entry.ifType = a.IfType;
    entry.luid = a.Luid.Value;
    for (const IP_ADAPTER_UNICAST_ADDRESS* u = a.FirstUnicastAddress; u != nullptr; u = u->Next)
        if (const uint32_t address = Ipv4Of(u->Address))
            entry.addresses.push_back(AddedAddress{address, MaskOfLength(u->OnLinkPrefixLength)});
    for (uint32_t gateway : Ipv4List(a.FirstGatewayAddress)) entry.gateways.push_back(AddedGateway{gateway, 0});
    entry.dnsServers = Ipv4List(a.FirstDnsServerAddress);
    if (a.DnsSuffix != nullptr) entry.dnsSuffix = a.DnsSuffix;
    return entry;
}

}  // namespace

AdapterAddresses ReadAdapterAddresses(const std::wstring& macText) {
    const std::unique_ptr<BYTE[]> buffer = QueryWithSize<IP_ADAPTER_ADDRESSES>(
        [](IP_ADAPTER_ADDRESSES* info, ULONG* size) { return GetAdaptersAddresses(AF_INET, kAddressFlags, nullptr, info, size); });
    for (const auto* a = reinterpret_cast<const IP_ADAPTER_ADDRESSES*>(buffer.get()); a != nullptr; a = a->Next) {
        const std::size_t length = a->PhysicalAddressLength < MAX_ADAPTER_ADDRESS_LENGTH ? a->PhysicalAddressLength
                                                                                         : MAX_ADAPTER_ADDRESS_LENGTH;
        if (mactext::Same(mactext::Format(a->PhysicalAddress, length), T(macText))) return MakeAddresses(*a);
    }
    return AdapterAddresses();
}

void AddGatewayMetrics(AdapterAddresses& adapter) {
    CMibTable<MIB_IPFORWARD_TABLE2> table;
    if (GetIpForwardTable2(AF_INET, table.Receive()) != NO_ERROR || !table.Valid()) return;
    for (ULONG i = 0; i < table.Get()->NumEntries; ++i) {
        const MIB_IPFORWARD_ROW2& route = table.Get()->Table[i];
        if (route.DestinationPrefix.PrefixLength != 0 || route.InterfaceLuid.Value != adapter.luid) continue;
        const uint32_t nextHop = ntohl(route.NextHop.Ipv4.sin_addr.s_addr);
        for (AddedGateway& gateway : adapter.gateways)
            if (gateway.defaultGateway == nextHop) gateway.metric = route.Metric;
    }
}

std::vector<AdapterInfo> ListAdapters() {
    std::vector<AdapterInfo> adapters;
    const std::unique_ptr<BYTE[]> buffer = QueryWithSize<IP_ADAPTER_INFO>(
        [](IP_ADAPTER_INFO* info, ULONG* size) { return GetAdaptersInfo(info, size); });
    if (!buffer) return adapters;
    for (const auto* a = reinterpret_cast<const IP_ADAPTER_INFO*>(buffer.get()); a; a = a->Next)
        adapters.push_back(MakeEntry(*a));
    return adapters;
}

bool ReadDnsServers(std::vector<std::wstring>& servers) {
    servers.clear();
    const std::unique_ptr<BYTE[]> buffer = QueryWithSize<FIXED_INFO>(
        [](FIXED_INFO* info, ULONG* size) { return GetNetworkParams(info, size); });
    if (!buffer) return false;
    const auto* params = reinterpret_cast<const FIXED_INFO*>(buffer.get());
    for (const IP_ADDR_STRING* dns = &params->DnsServerList; dns; dns = dns->Next)
        servers.push_back(FromAnsi(dns->IpAddress.String));
    return true;
}

int ReadNameServerState(const std::wstring& guid) {
    if (guid.empty()) return -1;
    const ReadKey key(HKEY_LOCAL_MACHINE, std::wstring(kAdapterTcpipKey) + L"\\" + guid);
    std::wstring value;
    if (!key.IsOpen() || !key.Read(L"NameServer", kNameServerChars * sizeof(wchar_t), &value)) return -1;
    return value.empty() ? 1 : 0;
}

std::wstring FindAdapterGuid(const std::wstring& macText) {
    const std::vector<AdapterInfo> adapters = ListAdapters();
    std::vector<Text> macs;
    for (const AdapterInfo& a : adapters) macs.push_back(T(a.macText));
    const std::size_t found = mactext::FindLast(macs, T(macText));
    return found < adapters.size() ? adapters[found].guid : std::wstring();
}

std::wstring GetConnectionName(const std::wstring& guid) {
    if (guid.empty()) return std::wstring();
    const ReadKey key(HKEY_LOCAL_MACHINE, std::wstring(kNetworkConnectionsKey) + L"\\" + guid + L"\\Connection");
    if (!key.IsOpen()) return std::wstring();
    DWORD type = REG_NONE;
    const std::wstring name = key.Text(kConnectionNameValue, &type);
    return type == REG_SZ ? name : std::wstring();
}

bool ReadCurrentIPv4(const std::wstring& guid, std::wstring& ip, std::wstring& mask, std::wstring& gateway) {
    ip.clear();
    mask.clear();
    gateway.clear();
    if (guid.empty()) return false;
    const ReadKey key(HKEY_LOCAL_MACHINE, std::wstring(kAdapterTcpipKey) + L"\\" + guid);
    if (!key.IsOpen()) return false;
    DWORD enableDhcp = 0;
    if (!key.Dword(L"EnableDHCP", enableDhcp)) return false;
    DWORD disableOnConnect = 0;
    const bool dhcp = enableDhcp != 0 && !(key.Dword(L"DisableDhcpOnConnect", disableOnConnect) && disableOnConnect == 1);
    if (!dhcp) {
        ip = key.Text(L"IPAddress");
        mask = key.Text(L"SubnetMask");
        gateway = key.Text(L"DefaultGateway");
        return true;
    }
    ip = key.Text(L"DhcpIPAddress");
    mask = key.Text(L"DhcpSubnetMask");
    gateway = key.Text(L"DhcpDefaultGateway");
    if (ip == L"0.0.0.0") {
        ip = key.Text(L"IPAutoconfigurationAddress");
        mask = key.Text(L"IPAutoconfigurationMask");
        gateway.clear();
    }
    return true;
}
