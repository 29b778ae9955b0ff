#include "system/win/ConnectionSnapshot.h"

#include "framework/win/WideText.h"
#include "system/win/NeighbourTable.h"
#include "system/win/WifiName.h"

namespace {

constexpr unsigned long kWifiType = 71;  // IF_TYPE_IEEE80211

// The DNS servers in force: those given by hand, otherwise the lease's;
// where the key tells neither, the adapter's list.
std::vector<uint32_t> DnsServersOf(const AdapterAddresses& adapter, const AdapterTcpip& tcpip) {
    if (!tcpip.nameServers.empty()) return tcpip.nameServers;
    if (tcpip.dhcp && !tcpip.dhcpNameServers.empty()) return tcpip.dhcpNameServers;
    return tcpip.known ? std::vector<uint32_t>() : adapter.dnsServers;
}

}  // namespace

RecordedNetwork NetworkOfAdapter(const AdapterAddresses& adapter, const AdapterTcpip& tcpip) {
    RecordedNetwork network;
    if (!adapter.found) return network;
    if (!adapter.gateways.empty())
        network.gatewayMac = T(NeighbourMac(adapter.luid, adapter.gateways.front().defaultGateway));
    if (tcpip.dhcp || !tcpip.known) network.dnsDomain = T(tcpip.hasDhcpDomain ? tcpip.dhcpDomain : adapter.dnsSuffix);
    if (adapter.ifType == kWifiType) network.wifiName = T(queryWifiName(adapter.guid));
    return network;
}

ConnectionState SnapshotConnection(const Text& macAddress) {
    ConnectionState state;
    state.macAddress = macAddress;
    const AdapterAddresses adapter = ReadAdapterAddresses(W(macAddress));
    if (!adapter.found) return state;
    const AdapterTcpip tcpip = ReadAdapterTcpip(adapter.guid);
    state.connected = adapter.up;
    state.dhcp = tcpip.dhcp;
    for (const AddedAddress& a : adapter.addresses) state.addresses.push_back({a.ipAddress, a.subnetMask});
    for (const AddedGateway& g : adapter.gateways) state.gateways.push_back(g.defaultGateway);
    state.dnsServers = DnsServersOf(adapter, tcpip);
    state.network = NetworkOfAdapter(adapter, tcpip);
    return state;
}
