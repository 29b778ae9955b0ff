#include <winsock2.h>
#include <windows.h>

#include <string>
#include <vector>

#include "system/win/AdapterDiscovery.h"
#include "wizard/CurrentTcpipRules.h"
#include "wizard/win/CurrentSettings.h"
#include "framework/win/WideText.h"

namespace {

// A dotted text as inet_addr reads it, first octet in the most significant
// byte; 0 for a text that inet_addr rejects.
uint32_t AddressFromText(const std::wstring& text) {
    const std::string narrow(text.begin(), text.end());
    const unsigned long network = inet_addr(narrow.c_str());
    return network == INADDR_NONE ? 0 : ntohl(network);
}

uint32_t FirstAddress(const std::vector<std::wstring>& texts) {
    return texts.empty() ? 0 : AddressFromText(texts.front());
}

// The first present adapter with exactly this MAC text; its GUID in *guid.
currenttcpip::AdapterValues FindAdapter(const std::wstring& macText, std::wstring* guid) {
    currenttcpip::AdapterValues values;
    for (const AdapterInfo& a : ListAdapters()) {
        if (a.macText != macText) continue;
        values.found = true;
        values.dhcpEnabled = a.dhcpEnabled;
        values.address = FirstAddress(a.ipAddresses);
        values.mask = FirstAddress(a.ipMasks);
        values.gateway = FirstAddress(a.gateways);
        *guid = a.guid;
        break;
    }
    return values;
}

currenttcpip::NameServer NameServerOf(const std::wstring& guid) {
    switch (ReadNameServerState(guid)) {
        case 1: return currenttcpip::NameServer::Empty;
        case 0: return currenttcpip::NameServer::Set;
        default: return currenttcpip::NameServer::Unreadable;
    }
}

// What the adapter holds beyond the first address, gateway and DNS servers.
void FillAdditionsFromCurrent(CProfileData& profile) {
    AdapterAddresses adapter = ReadAdapterAddresses(W(profile.GetText(ProfileText::macAddress)));
    AddGatewayMetrics(adapter);
    const currenttcpip::AdapterAdditions additions{adapter.addresses, adapter.gateways, adapter.dnsServers,
                                                   T(adapter.dnsSuffix)};
    currenttcpip::FillAdditions(profile.Record(), additions, profile.Extension());
}

}  // namespace

void FillTcpipFromCurrent(CProfileData& profile) {
    std::wstring guid;
    const currenttcpip::AdapterValues adapter = FindAdapter(W(profile.GetText(ProfileText::macAddress)), &guid);
    std::vector<std::wstring> servers;
    if (!ReadDnsServers(servers)) {
        currenttcpip::FillTcpipFields(profile.Record(), adapter, nullptr);
        return;
    }
    currenttcpip::DnsValues dns;
    dns.nameServer = NameServerOf(guid);
    for (const std::wstring& server : servers) dns.servers.push_back(AddressFromText(server));
    currenttcpip::FillTcpipFields(profile.Record(), adapter, &dns);
    FillAdditionsFromCurrent(profile);
}
