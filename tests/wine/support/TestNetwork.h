#pragma once
// The test network (tests/testnet): Wine and the programs run in a laptop
// namespace whose interface is cabled to a site. Its helper on the Linux
// side does to the laptop's interface what the stand-ins of netsh and
// ipconfig and the tests ask for.
#include <windows.h>

#include <cstdint>
#include <string>

#include "profile/ProfileData.h"
#include "system/win/AdapterDiscovery.h"
#include "tests/wine/support/RegistrySeed.h"

namespace testsupport {

// This process runs in the test network (ORTIVO_TESTNET names its folder).
bool InTestNetwork();
// Runs one of the helper's verbs ("plug b", "dhcp ortivo-lan", see
// tests/testnet/testnet.sh) and waits 45 s at most for its end: the verb's
// exit code, -1 outside the test network or when it did not end in time.
// Then, as Windows' DHCP client would, it writes what the client holds
// for an interface in DHCP mode (lease or automatic private address) to
// that adapter's TCP/IP key: DhcpIPAddress, DhcpSubnetMask,
// DhcpDefaultGateway, DhcpNameServer (space-separated) and DhcpDomain.
int TestNetworkDo(const std::wstring& verb);

// A value of the adapter's TCP/IP key (AdapterTcpipKey), written as
// Windows keeps it: REG_SZ, or REG_MULTI_SZ of one entry.
void SetTcpipText(const std::wstring& guid, const wchar_t* name, const std::wstring& value, DWORD type = REG_SZ);
void SetTcpipDword(const std::wstring& guid, const wchar_t* name, DWORD value);

// The laptop as the flows use it: its adapter ortivo-lan as GetAdaptersInfo
// lists it (an empty guid when it is not there); seeded, it is the
// connection "社内 LAN" with DHCP on in its TCP/IP key.
AdapterInfo TestNetworkLan();
bool SeedTestNetworkLan(CRegistrySeed& seed, const AdapterInfo& lan);
// The profile `name`: DHCP, or the fixed address 198.51.100.10/24 with `gateway` and the
// DNS servers 198.51.100.53 and .54; checked for an address and by a ping of the gateway.
CProfileData TestNetworkProfile(const AdapterInfo& lan, uint32_t gateway = 0, const char16_t* name = u"");

}  // namespace testsupport
