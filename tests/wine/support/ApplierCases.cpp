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
    c.suffix = L"";
    return c;
}

ApplierCase DhcpCase() {
    return {ApplierProfile(u"Wi-Fi"),
            {L"netsh interface ipv4 delete address name=\"Wi-Fi\" gateway=all",
             L"netsh interface ipv4 set address name=\"Wi-Fi\" source=dhcp",
             L"netsh interface ipv4 set dns name=\"Wi-Fi\" source=dhcp register=PRIMARY",
             L"ipconfig /renew \"Wi-Fi\""},
            L""};
}

ApplierCase AdditionsCase() {
    ApplierCase c = FixedAddressCase();
    c.profile.Extension() = {{{Ip(10, 0, 0, 5), Ip(255, 0, 0, 0)}, {Ip(172, 16, 0, 5), Ip(255, 255, 0, 0)}},
                             {{Ip(10, 0, 0, 1), 20}, {Ip(172, 16, 0, 1), 30}},
                             {Ip(10, 0, 0, 53), Ip(172, 16, 0, 53)}, u"corp.example", ""};
    c.commandLines.insert(c.commandLines.begin() + 1,
                          {L"netsh interface ipv4 add address name=\"LAN\" addr=10.0.0.5 mask=255.0.0.0",
                           L"netsh interface ipv4 add address name=\"LAN\" addr=172.16.0.5 mask=255.255.0.0",
                           L"netsh interface ipv4 add address name=\"LAN\" gateway=10.0.0.1 gwmetric=20",
                           L"netsh interface ipv4 add address name=\"LAN\" gateway=172.16.0.1 gwmetric=30"});
    c.commandLines.push_back(L"netsh interface ipv4 add dns name=\"LAN\" addr=10.0.0.53 index=3");
    c.commandLines.push_back(L"netsh interface ipv4 add dns name=\"LAN\" addr=172.16.0.53 index=4");
    c.suffix = L"corp.example";
    return c;
}

std::wstring SeedConnection(CRegistrySeed& seed, const std::wstring& connection) {
    const std::wstring guid = L"{0A7C5E10-0000-4000-8000-00000000E0E1}";
    EXPECT_TRUE(seed.SetString(HKEY_LOCAL_MACHINE, AdapterConnectionKey(guid), L"Name", connection));
    EXPECT_TRUE(seed.SetString(HKEY_LOCAL_MACHINE, AdapterTcpipKey(guid), L"Domain", L"set.before.example"));
    return AdapterTcpipKey(guid);
}

}  // namespace testsupport
