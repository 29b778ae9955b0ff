#include <gtest/gtest.h>

#include "HostInterfaces.h"
#include "tests/wine/support/InternetSettings.h"
#include "tests/wine/support/LoopbackHttpServer.h"
#include "tests/wine/support/RegistrySeed.h"
#include "tests/wine/support/TestSupport.h"
#include "framework/win/WideText.h"
#include "switching/win/IcmpEcho.h"
#include "switching/win/NetworkChecks.h"
#include "system/win/WMIAccess.h"

namespace {

// The real checks, with the echo optionally replaced and every echo and
// HTTP request written down.
class RecordingChecks : public CNetworkChecks {
public:
    using CNetworkChecks::CNetworkChecks;
    bool replaceEcho = false;
    int echoResult = -1;
    std::vector<std::wstring> echoes;
    std::vector<std::wstring> urls;

protected:
    int SendEcho(const Text& address) override {
        echoes.push_back(W(address));
        return replaceEcho ? echoResult : CNetworkChecks::SendEcho(address);
    }
    int HttpGet(const Text& url) override {
        urls.push_back(W(url));
        return CNetworkChecks::HttpGet(url);
    }
};

using testsupport::Ip;

class NetworkChecks : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(0, wmi_.Connect());
        ASSERT_TRUE(server_.Started());
        for (const HostAdapter& h : HostAdapters()) {
            if (h.operState == "up" && up_.guid.empty()) up_ = h.adapter;
            if (h.operState == "down" && down_.guid.empty()) down_ = h.adapter;
        }
        ASSERT_FALSE(up_.guid.empty()) << "no connected adapter";
    }

    // A profile for the adapter with the given checks; HTTP to the loopback server.
    CProfileData Profile(const AdapterInfo& a, bool dhcp, bool ping, bool url, const wchar_t* path = L"/status/200") {
        CProfileData p;
        p.SetText(ProfileText::macAddress, T(a.macText));
        p.SetText(ProfileText::checkUrl, T(server_.Url(path)));
        p.Record().checkDhcp = dhcp;
        p.Record().checkPingGateway = ping;
        p.Record().checkUrlEnabled = url;
        return p;
    }
    // The adapter's TCP/IP key as DHCP leaves it, gateway on loopback.
    void SeedDhcp(const AdapterInfo& a, const wchar_t* ip, const wchar_t* gateway = L"127.0.0.1") {
        const std::wstring key = AdapterTcpipKey(a.guid);
        ASSERT_TRUE(seed_.SetDword(HKEY_LOCAL_MACHINE, key, L"EnableDHCP", 1));
        ASSERT_TRUE(seed_.SetString(HKEY_LOCAL_MACHINE, key, L"DhcpIPAddress", ip));
        ASSERT_TRUE(seed_.SetString(HKEY_LOCAL_MACHINE, key, L"DhcpSubnetMask", L"255.255.255.0"));
        ASSERT_TRUE(seed_.SetString(HKEY_LOCAL_MACHINE, key, L"DhcpDefaultGateway", gateway));
        ASSERT_TRUE(seed_.SetString(HKEY_LOCAL_MACHINE, key, L"IPAutoconfigurationAddress", L"169.254.20.30"));
        ASSERT_TRUE(seed_.SetString(HKEY_LOCAL_MACHINE, key, L"IPAutoconfigurationMask", L"255.255.0.0"));
    }

    CInternetSettingsGuard direct_;  // the HTTP check goes straight to the server
    CRegistrySeed seed_;
    CWMIAccess wmi_;
    CLoopbackHttpServer server_;
    AdapterInfo up_, down_;
};

TEST_F(NetworkChecks, HealthyDhcpAdapterPassesEveryCheckForReal) {
    SeedDhcp(up_, L"192.168.77.10");
    RecordingChecks checks(&wmi_);
    // The MAC text as the user's profile may hold it, in lower case.
    CProfileData p = Profile(up_, true, true, true);
    p.SetText(ProfileText::macAddress, T(LowerAscii(up_.macText)));
    EXPECT_EQ(0, checks.Run(p));  // real ICMP echo to 127.0.0.1, real GET
    EXPECT_EQ(std::vector<std::wstring>{L"127.0.0.1"}, checks.echoes);
    EXPECT_EQ(1u, server_.Requests().size());
    EXPECT_EQ(LowerAscii(up_.macText), checks.MacText());
    EXPECT_EQ(L"192.168.77.10", checks.CurrentIp());
    EXPECT_EQ(L"255.255.255.0", checks.CurrentMask());
    EXPECT_EQ(L"127.0.0.1", checks.CurrentGateway());
    EXPECT_TRUE(checks.Connected());
}

TEST_F(NetworkChecks, FailingPingAndHttpAddTheirBits) {
    SeedDhcp(up_, L"192.168.77.10");
    RecordingChecks checks(&wmi_);
    checks.replaceEcho = true;
    EXPECT_EQ(0x02, checks.Run(Profile(up_, true, true, false)));
    EXPECT_EQ(std::vector<std::wstring>{L"127.0.0.1"}, checks.echoes);
    EXPECT_EQ(0x02 | 0x04, checks.Run(Profile(up_, true, true, true, L"/status/404")));
    EXPECT_EQ(0x04, checks.Run(Profile(up_, true, false, true, L"/status/500")));
    EXPECT_EQ(0, checks.Run(Profile(up_, true, false, true, L"/status/302")));
}

TEST_F(NetworkChecks, LinkLocalFallbackGives0x08AndSkipsThePing) {
    SeedDhcp(up_, L"0.0.0.0");
    RecordingChecks checks(&wmi_);
    checks.replaceEcho = true;
    EXPECT_EQ(0x08, checks.Run(Profile(up_, true, true, false)));
    EXPECT_TRUE(checks.echoes.empty());
    EXPECT_EQ(L"169.254.20.30", checks.CurrentIp());
    EXPECT_EQ(L"", checks.CurrentGateway());
}

TEST_F(NetworkChecks, ZeroAddressGives0x20) {
    const std::wstring key = AdapterTcpipKey(up_.guid);
    ASSERT_TRUE(seed_.SetDword(HKEY_LOCAL_MACHINE, key, L"EnableDHCP", 1));
    ASSERT_TRUE(seed_.SetString(HKEY_LOCAL_MACHINE, key, L"DhcpIPAddress", L"0.0.0.0"));
    RecordingChecks checks(&wmi_);
    EXPECT_EQ(0x20, checks.Run(Profile(up_, true, false, false)));  // no fallback address either
    ASSERT_TRUE(seed_.SetString(HKEY_LOCAL_MACHINE, key, L"IPAutoconfigurationAddress", L"0.0.0.0"));
    EXPECT_EQ(0x20, checks.Run(Profile(up_, true, false, false)));
}

TEST_F(NetworkChecks, DisconnectedAdapterFailsAddressAndPingWithoutAnEcho) {
    if (down_.guid.empty()) GTEST_SKIP() << "the host has no adapter that is down";
    SeedDhcp(down_, L"192.168.77.10");
    RecordingChecks checks(&wmi_);
    checks.replaceEcho = true;
    EXPECT_EQ(0x20 | 0x02, checks.Run(Profile(down_, true, true, false)));
    EXPECT_TRUE(checks.echoes.empty());
    EXPECT_FALSE(checks.Connected());
}

TEST_F(NetworkChecks, FixedAddressIsComparedWithTheRegistryTexts) {
    const std::wstring key = AdapterTcpipKey(up_.guid);
    ASSERT_TRUE(seed_.SetDword(HKEY_LOCAL_MACHINE, key, L"EnableDHCP", 0));
    ASSERT_TRUE(seed_.SetMultiString(HKEY_LOCAL_MACHINE, key, L"IPAddress", {L"10.20.30.40", L"10.20.30.41"}));
    ASSERT_TRUE(seed_.SetMultiString(HKEY_LOCAL_MACHINE, key, L"SubnetMask", {L"255.255.0.0", L"255.255.0.0"}));
    ASSERT_TRUE(seed_.SetMultiString(HKEY_LOCAL_MACHINE, key, L"DefaultGateway", {L"0.0.0.0"}));
    CProfileData p = Profile(up_, true, false, false);
    p.Record().ipMode = 1;
    p.Record().ipAddress = Ip(10, 20, 30, 40);
    p.Record().subnetMask = Ip(255, 255, 0, 0);
    p.Record().defaultGateway = 0;  // matches "0.0.0.0" and the empty value Windows keeps
    RecordingChecks checks(&wmi_);
    EXPECT_EQ(0, checks.Run(p));
    ASSERT_TRUE(seed_.SetMultiString(HKEY_LOCAL_MACHINE, key, L"DefaultGateway", {L""}));
    EXPECT_EQ(0, checks.Run(p));
    p.Record().ipAddress = Ip(10, 20, 30, 41);
    EXPECT_EQ(0x01, checks.Run(p));
}

TEST_F(NetworkChecks, UnknownAdapterOrUnreadableValuesEndWith0x10Alone) {
    RecordingChecks checks(&wmi_);
    CProfileData unknown = Profile(up_, true, true, true);
    unknown.SetText(ProfileText::macAddress, u"00:00:5E:00:53:FE");
    EXPECT_EQ(0x10, checks.Run(unknown));
    // The adapter exists but its TCP/IP key does not.
    EXPECT_EQ(0x10, checks.Run(Profile(up_, false, true, true)));
    EXPECT_TRUE(checks.echoes.empty());
    EXPECT_TRUE(checks.urls.empty());
    EXPECT_TRUE(server_.Requests().empty());
}

TEST_F(NetworkChecks, NoAdapterLookupWithoutAddressOrPingCheck) {
    RecordingChecks checks(&wmi_);
    EXPECT_EQ(0, checks.Run(Profile(up_, false, false, false)));
    EXPECT_EQ(L"", checks.MacText());
    EXPECT_FALSE(checks.Connected());
    // Only the HTTP check: no TCP/IP key is needed.
    EXPECT_EQ(0x04, checks.Run(Profile(up_, false, false, true, L"/status/404")));
    EXPECT_EQ(0, checks.Run(Profile(up_, false, false, true, L"/status/302")));
}

TEST(IcmpEcho, LoopbackAnswersAndNonAddressesAreNeverSent) {
    EXPECT_EQ(0, SendIcmpEcho(L"127.0.0.1"));
    EXPECT_EQ(-1, SendIcmpEcho(L"not an address"));
    EXPECT_EQ(-1, SendIcmpEcho(L"255.255.255.255"));
    EXPECT_EQ(-1, SendIcmpEcho(L""));
    EXPECT_EQ(-1, SendIcmpEcho(L"127.0.0.\x0661"));
}

}  // namespace
