#pragma once
// The hardware address of an IPv4 neighbour (a gateway) as the system's
// neighbour table knows it.
#include <cstdint>
#include <string>

// The MAC text ("00:00:5E:00:53:0B", as the record writes one) of the
// neighbour `address` (first octet in the most significant byte) on the
// interface `luid` (NET_LUID): its entry of the neighbour table
// (GetIpNetTable2); without one, the entry ResolveIpNetEntry2 finds where
// the system has it (looked up at run time: Wine does not export it). An
// entry whose address is all zero (a host that did not answer) counts as
// none. Empty when there is none.
std::wstring NeighbourMac(uint64_t luid, uint32_t address);
