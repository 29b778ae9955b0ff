#include "tests/wine/support/TestNetworkLaptop.h"

#include "tests/wine/support/TestSupport.h"
#include "framework/win/WideText.h"
#include "tests/wine/support/ApplierCases.h"

namespace testsupport {

AdapterInfo TestNetworkLan() {
    for (const AdapterInfo& a : ListAdapters())
        if (a.description == L"ortivo-lan") return a;
    return AdapterInfo{};
}

bool SeedTestNetworkLan(CRegistrySeed& seed, const AdapterInfo& lan) {
    return seed.SetString(HKEY_LOCAL_MACHINE, AdapterConnectionKey(lan.guid), L"Name", L"社内 LAN") &&
           seed.SetDword(HKEY_LOCAL_MACHINE, AdapterTcpipKey(lan.guid), L"EnableDHCP", 1);
}

CProfileData TestNetworkProfile(const AdapterInfo& lan, uint32_t gateway) {
    CProfileData p = ApplierProfile(u"社内 LAN");
    p.SetText(ProfileText::macAddress, T(lan.macText));
    ProfileRecord& r = p.Record();
    r.checkDhcp = r.checkPingGateway = 1;
    if (gateway == 0) return p;
    r.ipMode = r.dnsMode = 1;
    r.ipAddress = Ip(198, 51, 100, 10);
    r.subnetMask = Ip(255, 255, 255, 0);
    r.defaultGateway = gateway;
    r.preferredDns = Ip(198, 51, 100, 53);
    r.alternateDns = Ip(198, 51, 100, 54);
    return p;
}

}  // namespace testsupport
