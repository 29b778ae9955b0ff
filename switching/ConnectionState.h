#pragma once
// One network connection as it is now, in the terms of a profile: what the
// program reads of it (system/win/ConnectionSnapshot) and the decisions
// over it read (which profile is in force; what to apply by itself).
// IPv4 values as in the record: the first octet in the most significant byte.
#include <cstdint>
#include <vector>

#include "framework/Text.h"
#include "profile/RecordedNetwork.h"

struct AddressWithMask {
    uint32_t address = 0;
    uint32_t mask = 0;
};

struct ConnectionState {
    Text macAddress;        // the adapter's MAC text: the profiles whose macAddress names it
    bool connected = false;
    bool dhcp = false;      // the connection takes its address from DHCP
    std::vector<AddressWithMask> addresses;  // in force, the main one first
    std::vector<uint32_t> gateways;          // default gateways in force
    std::vector<uint32_t> dnsServers;        // in their order
    RecordedNetwork network;                 // the network it is on, as far as found

    // An address that is neither 0 nor one the system made up when no DHCP
    // server answered (169.254.0.0/16).
    bool HasAssignedAddress() const;
};
