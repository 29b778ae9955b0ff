#pragma once
// Which profile is in force on its connection right now: the main dialog
// marks it and describes it, and the automatic switch does not apply a
// profile that is. Portable: the Win32 side only takes the snapshot.
#include <cstdint>
#include <vector>

#include "profile/ProfileData.h"
#include "switching/ConnectionState.h"

// Whether the profile's settings are in force on `connection` (its own:
// the profile's macAddress names it):
// - a fixed address: the connection does not take its address from DHCP,
//   and its addresses with their masks, its default gateways and its DNS
//   servers (in order) are exactly the profile's, additions included;
// - DHCP: the connection takes its address from DHCP and has one, its DNS
//   servers are the profile's where the profile gives them by hand, and,
//   where the profile recorded its network, the connection is on that
//   network.
bool IsInForce(const CProfileData& profile, const ConnectionState& connection);

// The position of the one profile in force, or -1. When several are (two
// DHCP profiles that recorded no network, say), the one applied last
// (`lastAppliedId`, a profileId; 0 for none) if it is among them,
// otherwise none: the program cannot tell.
int ProfileInForce(const std::vector<CProfileData>& profiles, const std::vector<ConnectionState>& connections,
                   int32_t lastAppliedId);
