#pragma once
// The network a connection is on, as a profile records it and as the
// program finds it: the default gateway's MAC address, the DNS suffix the
// network gives and, for Wi-Fi, the network's name. A part that is not
// known (not recorded, not found) is empty.
#include "framework/Text.h"

struct RecordedNetwork {
    Text gatewayMac;  // as the record's macAddress writes a MAC ("AA:BB:CC:DD:EE:FF")
    Text dnsDomain;
    Text wifiName;

    bool Empty() const { return gatewayMac.empty() && dnsDomain.empty() && wifiName.empty(); }
    bool operator==(const RecordedNetwork& o) const {
        return gatewayMac == o.gatewayMac && dnsDomain == o.dnsDomain && wifiName == o.wifiName;
    }
    bool operator!=(const RecordedNetwork& o) const { return !(*this == o); }
};

// Whether the connection is on the recorded network: something was
// recorded, and every part recorded is found as recorded (the MAC as the
// same address, the suffix without regard to ASCII case, the Wi-Fi name
// exactly).
bool IsOnRecordedNetwork(const RecordedNetwork& recorded, const RecordedNetwork& found);
