#pragma once
// Where Windows keeps a network adapter's connection name and its TCP/IP
// settings (below HKEY_LOCAL_MACHINE; each adapter a subkey named by its
// GUID text "{...}").

// <key>\{GUID}: the adapter's TCP/IP values ("NameServer", "Domain", ...).
inline constexpr wchar_t kAdapterTcpipKey[] = L"SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces";
// <key>\{GUID}\Connection, value "Name": the connection name.
inline constexpr wchar_t kNetworkConnectionsKey[] =
    L"SYSTEM\\CurrentControlSet\\Control\\Network\\{4D36E972-E325-11CE-BFC1-08002BE10318}";
inline constexpr wchar_t kConnectionNameValue[] = L"Name";
// The connection-specific DNS suffix as the advanced TCP/IP settings' DNS
// tab sets it ("DNS suffix for this connection"); it takes precedence over
// the suffix DHCP gives ("DhcpDomain").
inline constexpr wchar_t kConnectionSuffixValue[] = L"Domain";
