#pragma once
// The test network (tests/testnet): Wine and the programs run in a laptop
// namespace whose interface is cabled to a site. Its helper on the Linux
// side does to the laptop's interface what the stand-ins of netsh and
// ipconfig and the tests ask for.
#include <string>

namespace testsupport {

// This process runs in the test network (ORTIVO_TESTNET names its folder).
bool InTestNetwork();
// Runs one of the helper's verbs ("plug b", "dhcp ortivo-lan", see
// tests/testnet/testnet.sh) and waits 45 s at most for its end: the verb's
// exit code, -1 outside the test network or when it did not end in time.
int TestNetworkDo(const std::wstring& verb);

}  // namespace testsupport
