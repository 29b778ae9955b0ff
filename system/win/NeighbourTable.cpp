#include "system/win/NeighbourTable.h"

#include <winsock2.h>
#include <ws2ipdef.h>
#include <windows.h>
#include <iphlpapi.h>
#include <netioapi.h>

#include <algorithm>

#include "framework/win/MibTable.h"
#include "framework/win/WideText.h"
#include "system/MacText.h"

namespace {

using ResolveCall = NETIO_STATUS(WINAPI*)(PMIB_IPNET_ROW2, const SOCKADDR_INET*);

std::wstring MacOf(const MIB_IPNET_ROW2& row) {
    const ULONG length = std::min<ULONG>(row.PhysicalAddressLength, IF_MAX_PHYS_ADDRESS_LENGTH);
    const UCHAR* bytes = row.PhysicalAddress;
    if (std::all_of(bytes, bytes + length, [](UCHAR b) { return b == 0; })) return std::wstring();
    return W(mactext::Format(bytes, length));
}

bool IsEntryOf(const MIB_IPNET_ROW2& row, uint64_t luid, uint32_t address) {
    return row.InterfaceLuid.Value == luid && row.Address.si_family == AF_INET &&
           ntohl(row.Address.Ipv4.sin_addr.s_addr) == address;
}

std::wstring FromTable(uint64_t luid, uint32_t address) {
    CMibTable<MIB_IPNET_TABLE2> table;
    if (GetIpNetTable2(AF_INET, table.Receive()) != NO_ERROR || !table.Valid()) return std::wstring();
    for (ULONG i = 0; i < table.Get()->NumEntries; ++i)
        if (IsEntryOf(table.Get()->Table[i], luid, address)) return MacOf(table.Get()->Table[i]);
    return std::wstring();
}

std::wstring Resolved(uint64_t luid, uint32_t address) {
    HMODULE iphlpapi = ::GetModuleHandleW(L"iphlpapi.dll");
    const auto resolve = iphlpapi == nullptr ? nullptr
                                             : reinterpret_cast<ResolveCall>(reinterpret_cast<void*>(
                                                   ::GetProcAddress(iphlpapi, "ResolveIpNetEntry2")));
    if (resolve == nullptr) return std::wstring();
    MIB_IPNET_ROW2 row{};
    row.InterfaceLuid.Value = luid;
    row.Address.si_family = AF_INET;
    row.Address.Ipv4.sin_family = AF_INET;
    row.Address.Ipv4.sin_addr.s_addr = htonl(address);
    return resolve(&row, nullptr) == NO_ERROR ? MacOf(row) : std::wstring();
}

}  // namespace

std::wstring NeighbourMac(uint64_t luid, uint32_t address) {
    if (address == 0) return std::wstring();
    const std::wstring known = FromTable(luid, address);
    return known.empty() ? Resolved(luid, address) : known;
}
