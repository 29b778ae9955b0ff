#pragma once
// A network connection as it is now (ConnectionState), read from the
// system: its adapter (GetAdaptersAddresses: link, addresses, gateways),
// its TCP/IP key (DHCP, the DNS servers, the suffix the lease gave) and the
// network it is on (the gateway's MAC from the neighbour table, the Wi-Fi
// network's name).
#include "framework/Text.h"
#include "profile/RecordedNetwork.h"
#include "switching/ConnectionState.h"
#include "system/win/AdapterDiscovery.h"

// The connection of the adapter with this MAC text; not connected when
// there is none.
ConnectionState SnapshotConnection(const Text& macAddress);

// The network the adapter is on, as a profile records it: its first
// default gateway's MAC, the DNS suffix the network gives (the lease's,
// DhcpDomain; where the key has none, the adapter's suffix) and, for
// Wi-Fi, the network's name.
RecordedNetwork NetworkOfAdapter(const AdapterAddresses& adapter, const AdapterTcpip& tcpip);
