// Stands in for iphlpapi.dll beside a copy of Tolvik_Network.exe: Wine
// reports every adapter as using DHCP, this reports one adapter with a
// fixed address, mask and gateway, and two DNS servers, and its gateway's
// MAC address 00:00:5E:00:53:0B in the neighbour table. Pings fail, and
// nothing else is reported.
#include <winsock2.h>
#include <ws2ipdef.h>
#include <windows.h>
#include <iphlpapi.h>
#include <netioapi.h>

#include <cstring>

namespace {

void SetAddress(IP_ADDR_STRING& entry, const char* address, const char* mask) {
    std::strcpy(entry.IpAddress.String, address);
    std::strcpy(entry.IpMask.String, mask);
}

// The size protocol of IP Helper: too small a buffer answers how much is needed.
bool Fits(const void* buffer, PULONG size, ULONG needed) {
    if (buffer != nullptr && *size >= needed) return true;
    *size = needed;
    return false;
}

constexpr ULONG64 kLuid = 0x0006000000010000;  // an Ethernet interface's
const BYTE kMac[6] = {0x02, 0x00, 0x5E, 0x10, 0x00, 0x01};
const BYTE kGatewayMac[6] = {0x00, 0x00, 0x5E, 0x00, 0x53, 0x0B};

sockaddr_in Ipv4(BYTE a, BYTE b, BYTE c, BYTE d) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.S_un.S_un_b = {a, b, c, d};  // network order
    return address;
}

// GetAdaptersAddresses' answer: the adapter, its address and its gateway.
struct AdapterAnswer {
    IP_ADAPTER_ADDRESSES adapter;
    IP_ADAPTER_UNICAST_ADDRESS unicast;
    IP_ADAPTER_GATEWAY_ADDRESS gateway;
    sockaddr_in address, gatewayAddress;
    char name[40];
};

}  // namespace

extern "C" {

DWORD WINAPI StandInGetAdaptersInfo(PIP_ADAPTER_INFO info, PULONG size) {
    if (!Fits(info, size, sizeof(IP_ADAPTER_INFO))) return ERROR_BUFFER_OVERFLOW;
    std::memset(info, 0, sizeof(*info));
    std::strcpy(info->AdapterName, "{0A7C5E10-0000-4000-8000-0000000000A1}");
    std::strcpy(info->Description, "Ortivo Fixed Test Adapter");
    info->AddressLength = 6;
    const BYTE mac[6] = {0x02, 0x00, 0x5E, 0x10, 0x00, 0x01};
    std::memcpy(info->Address, mac, sizeof(mac));
    info->DhcpEnabled = FALSE;
    SetAddress(info->IpAddressList, "192.168.77.10", "255.255.255.0");
    SetAddress(info->GatewayList, "192.168.77.1", "255.255.255.255");
    return ERROR_SUCCESS;
}

DWORD WINAPI StandInGetNetworkParams(PFIXED_INFO info, PULONG size) {
    if (!Fits(info, size, sizeof(FIXED_INFO) + sizeof(IP_ADDR_STRING))) return ERROR_BUFFER_OVERFLOW;
    std::memset(info, 0, sizeof(FIXED_INFO) + sizeof(IP_ADDR_STRING));
    auto* second = reinterpret_cast<IP_ADDR_STRING*>(info + 1);
    SetAddress(info->DnsServerList, "192.168.77.2", "");
    info->DnsServerList.Next = second;
    SetAddress(*second, "192.168.77.3", "");
    return ERROR_SUCCESS;
}

// The program asks with exactly these flags; other system DLLs ask
// otherwise and go on to calls the stand-in does not have: there are no
// adapters to tell them.
constexpr ULONG kProgramsFlags =
    GAA_FLAG_INCLUDE_GATEWAYS | GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST | GAA_FLAG_SKIP_FRIENDLY_NAME;

ULONG WINAPI StandInGetAdaptersAddresses(ULONG, ULONG flags, PVOID, PVOID buffer, PULONG size) {
    if (size == nullptr) return ERROR_INVALID_PARAMETER;
    if (flags != kProgramsFlags) {
        *size = 0;
        return ERROR_NO_DATA;
    }
    if (!Fits(buffer, size, sizeof(AdapterAnswer))) return ERROR_BUFFER_OVERFLOW;
    auto* answer = static_cast<AdapterAnswer*>(buffer);
    std::memset(answer, 0, sizeof(*answer));
    std::strcpy(answer->name, "{0A7C5E10-0000-4000-8000-0000000000A1}");
    answer->address = Ipv4(192, 168, 77, 10);
    answer->gatewayAddress = Ipv4(192, 168, 77, 1);
    answer->unicast.Address = {reinterpret_cast<LPSOCKADDR>(&answer->address), sizeof(sockaddr_in)};
    answer->unicast.OnLinkPrefixLength = 24;
    answer->gateway.Address = {reinterpret_cast<LPSOCKADDR>(&answer->gatewayAddress), sizeof(sockaddr_in)};
    IP_ADAPTER_ADDRESSES& a = answer->adapter;
    a.Length = sizeof(a);
    a.AdapterName = answer->name;
    a.FirstUnicastAddress = &answer->unicast;
    a.FirstGatewayAddress = &answer->gateway;
    a.DnsSuffix = const_cast<PWCHAR>(L"");
    a.Description = a.FriendlyName = a.DnsSuffix;
    a.PhysicalAddressLength = sizeof(kMac);
    std::memcpy(a.PhysicalAddress, kMac, sizeof(kMac));
    a.IfType = IF_TYPE_ETHERNET_CSMACD;
    a.OperStatus = IfOperStatusUp;
    a.Luid.Value = kLuid;
    return ERROR_SUCCESS;
}

// The neighbour table: the gateway, and an absent host as Wine keeps one (all-zero MAC).
DWORD WINAPI StandInGetIpNetTable2(USHORT, PMIB_IPNET_TABLE2* table) {
    static struct {
        MIB_IPNET_TABLE2 head;
        MIB_IPNET_ROW2 more;
    } answer;
    std::memset(&answer, 0, sizeof(answer));
    answer.head.NumEntries = 2;
    MIB_IPNET_ROW2* rows = answer.head.Table;
    for (int i = 0; i < 2; ++i) {
        rows[i].InterfaceLuid.Value = kLuid;
        rows[i].PhysicalAddressLength = sizeof(kGatewayMac);
        rows[i].Address.Ipv4 = Ipv4(192, 168, 77, i == 0 ? 9 : 1);
    }
    std::memcpy(rows[1].PhysicalAddress, kGatewayMac, sizeof(kGatewayMac));
    *table = &answer.head;
    return NO_ERROR;
}

// The program's other imports: there is nothing to tell.
DWORD WINAPI StandInNoTable(USHORT, void** table) {
    *table = nullptr;
    return ERROR_NOT_SUPPORTED;
}
void WINAPI StandInFreeMibTable(void*) {}

// NotifyIpInterfaceChange, NotifyUnicastIpAddressChange, NotifyRouteChange2:
// no notifications, as under Wine; the program looks on its timer.
DWORD WINAPI StandInNoNotification(USHORT, void*, void*, BOOLEAN, HANDLE* handle) {
    *handle = nullptr;
    return ERROR_NOT_SUPPORTED;
}
DWORD WINAPI StandInCancelMibChangeNotify2(HANDLE) { return NO_ERROR; }

HANDLE WINAPI StandInIcmpCreateFile() { return INVALID_HANDLE_VALUE; }
BOOL WINAPI StandInIcmpCloseHandle(HANDLE) { return FALSE; }
DWORD WINAPI StandInIcmpSendEcho(HANDLE, DWORD, LPVOID, WORD, LPVOID, LPVOID, DWORD, DWORD) { return 0; }

}  // extern "C"
