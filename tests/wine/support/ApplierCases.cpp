#include "tests/wine/support/ApplierCases.h"

#include "tests/wine/support/TestSupport.h"

namespace testsupport {

CProfileData ApplierProfile(const char16_t* connection) {
    CProfileData p;
    p.Record().profileId = 1;
    p.SetText(ProfileText::connectionName, connection);
    return p;
}

ApplierCase FixedAddressCase() {
    ApplierCase c{ApplierProfile(u"LAN"), {}};
    ProfileRecord& r = c.profile.Record();
    r.ipMode = 1;
    r.ipAddress = Ip(192, 168, 1, 10);
    r.subnetMask = Ip(255, 255, 255, 0);
    r.defaultGateway = Ip(192, 168, 1, 1);
    r.dnsMode = 1;
    r.preferredDns = Ip(192, 168, 1, 2);
    r.alternateDns = Ip(8, 8, 4, 4);
    c.commandLines = {
        L"netsh interface ipv4 set address name=\"LAN\" source=static 192.168.1.10 255.255.255.0 192.168.1.1 0",
        L"netsh interface ipv4 set dns name=\"LAN\" source=static addr=192.168.1.2 register=PRIMARY",
        L"netsh interface ipv4 add dns name=\"LAN\" addr=8.8.4.4 index=2"};
    return c;
}

ApplierCase DhcpCase() {
    return {ApplierProfile(u"Wi-Fi"),
            {L"netsh interface ipv4 set address name=\"Wi-Fi\" source=dhcp",
             L"netsh interface ipv4 set dns name=\"Wi-Fi\" source=dhcp register=PRIMARY",
             L"ipconfig /renew \"Wi-Fi\""}};
}

}  // namespace testsupport
