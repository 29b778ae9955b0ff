#pragma once
// The test network (tests/testnet): Wine and the programs run in a laptop
// namespace whose interface is cabled to a site. Its helper on the Linux
// side does to the laptop's interface what the stand-ins of netsh and
// ipconfig and the tests ask for.
#include <windows.h>

#include <string>

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

}  // namespace testsupport
