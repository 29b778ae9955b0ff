// The network an adapter's connection is on, as a profile records it.
#include "framework/win/WideText.h"
#include "system/win/AdapterDiscovery.h"
#include "system/win/NeighbourTable.h"
#include "system/win/WifiName.h"
#include "wizard/win/CurrentSettings.h"

namespace {

constexpr unsigned long kWifiType = 71;  // IF_TYPE_IEEE80211

}  // namespace

RecordedNetwork FindCurrentNetwork(const std::wstring& macText) {
    const AdapterAddresses adapter = ReadAdapterAddresses(macText);
    RecordedNetwork network;
    if (!adapter.found) return network;
    if (!adapter.gateways.empty())
        network.gatewayMac = T(NeighbourMac(adapter.luid, adapter.gateways.front().defaultGateway));
    network.dnsDomain = T(adapter.dnsSuffix);
    if (adapter.ifType == kWifiType) network.wifiName = T(queryWifiName(adapter.guid));
    return network;
}
