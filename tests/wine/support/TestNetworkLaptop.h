#pragma once
// The laptop of the test network as the flows use it: its adapter
// ortivo-lan, the connection "社内 LAN" it is seeded to be, and the
// profiles of site A (DHCP) and site B (fixed).
#include <cstdint>

#include "profile/ProfileData.h"
#include "system/win/AdapterDiscovery.h"
#include "tests/wine/support/RegistrySeed.h"

namespace testsupport {

// ortivo-lan as GetAdaptersInfo lists it; an empty guid when it is not there.
AdapterInfo TestNetworkLan();
// Names its connection "社内 LAN" and turns DHCP on in its TCP/IP key.
bool SeedTestNetworkLan(CRegistrySeed& seed, const AdapterInfo& lan);
// DHCP, or the fixed address 198.51.100.10/24 with `gateway` and the DNS
// servers 198.51.100.53 and .54; checked for an address and by a ping of the gateway.
CProfileData TestNetworkProfile(const AdapterInfo& lan, uint32_t gateway = 0);

}  // namespace testsupport
