// Stands in for iphlpapi.dll beside a copy of Tolvik_Network.exe: Wine
// reports every adapter as using DHCP, this reports one adapter with a
// fixed address, mask and gateway, and two DNS servers. Pings fail, and
// nothing else is reported.
#include <winsock2.h>
#include <windows.h>
#include <iptypes.h>

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

// Other system DLLs ask for the adapters' addresses: there are none to tell.
ULONG WINAPI StandInGetAdaptersAddresses(ULONG, ULONG, PVOID, PVOID, PULONG size) {
    if (size != nullptr) *size = 0;
    return ERROR_NO_DATA;
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
