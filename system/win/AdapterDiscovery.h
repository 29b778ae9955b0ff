#pragma once
// The present network adapters and their current IPv4 configuration.
#include <cstdint>
#include <string>
#include <vector>

#include "profile/ProfileExtension.h"

struct AdapterInfo {
    std::wstring guid;         // adapter name as GetAdaptersInfo reports it, "{...}"
    std::wstring description;  // converted from the ANSI code page
    std::wstring macText;      // "00:1A:2B:3C:4D:5E"
    bool dhcpEnabled = false;
    std::vector<std::wstring> ipAddresses;  // IP address list, in order
    std::vector<std::wstring> ipMasks;      // masks of that list
    std::vector<std::wstring> gateways;     // gateway list, in order
};

// One adapter as GetAdaptersAddresses reports it (IPv4 only). Addresses
// carry the first octet in the most significant byte.
struct AdapterAddresses {
    bool found = false;
    std::wstring guid;          // "{...}"
    unsigned long ifType = 0;   // IF_TYPE_IEEE80211 (71) for Wi-Fi
    uint64_t luid = 0;          // NET_LUID
    std::vector<AddedAddress> addresses;  // every unicast address, its mask from its prefix length
    std::vector<AddedGateway> gateways;   // every default gateway, metric 0 (filled by AddGatewayMetrics)
    std::vector<uint32_t> dnsServers;
    std::wstring dnsSuffix;
};

// GetAdaptersInfo with the size protocol; empty on any failure.
std::vector<AdapterInfo> ListAdapters();
// GUID text of the adapter with this MAC text (last match wins; letter case
// is ignored); empty if none.
std::wstring FindAdapterGuid(const std::wstring& macText);
// The first present adapter with this MAC text (letter case ignored), by
// GetAdaptersAddresses; `found` false when there is none or the query fails.
AdapterAddresses ReadAdapterAddresses(const std::wstring& macText);
// Gives each of the adapter's gateways the metric of its default route
// (GetIpForwardTable2); a gateway without one keeps 0.
void AddGatewayMetrics(AdapterAddresses& adapter);
// Connection name ("Name" below ...\Network\{4D36E972-...}\{GUID}\Connection); empty if none.
std::wstring GetConnectionName(const std::wstring& guid);
// Current IP address, mask and gateway from the adapter's TCP/IP key.
bool ReadCurrentIPv4(const std::wstring& guid, std::wstring& ip, std::wstring& mask, std::wstring& gateway);
// The system's DNS servers in order (GetNetworkParams with the size
// protocol); false when the network parameters cannot be read.
bool ReadDnsServers(std::vector<std::wstring>& servers);
// The adapter's "NameServer" value: 1 read and empty (DNS servers obtained
// automatically), 0 read and not empty, -1 key or value unreadable.
int ReadNameServerState(const std::wstring& guid);
