#include <gtest/gtest.h>

#include "HostInterfaces.h"
#include "framework/win/WideText.h"
#include "tests/wine/support/RegistrySeed.h"
#include "tests/wine/support/TestSupport.h"
#include "system/win/AdapterDiscovery.h"

namespace {

using testsupport::Narrow;

// The first adapter Wine reports; every test here needs one.
AdapterInfo FirstAdapter() {
    const std::vector<AdapterInfo> adapters = ListAdapters();
    return adapters.empty() ? AdapterInfo{} : adapters.front();
}

TEST(AdapterDiscovery, ListsTheHostsAdaptersWithUpperCaseMacTexts) {
    const std::vector<HostAdapter> adapters = HostAdapters();
    ASSERT_FALSE(adapters.empty()) << "Wine reports no adapter";
    for (const HostAdapter& h : adapters) {
        const AdapterInfo& a = h.adapter;
        EXPECT_EQ(38u, a.guid.size()) << Narrow(a.guid);
        EXPECT_EQ(L'{', a.guid.front());
        EXPECT_EQ(L'}', a.guid.back());
        ASSERT_FALSE(h.hostMac.empty()) << "no host interface for " << Narrow(a.description);
        // Same address as the host's, upper case, "%.2X:" pairs.
        EXPECT_EQ(W(text::UpperAscii(text::FromUtf8(h.hostMac))), a.macText);
        EXPECT_EQ(a.macText, W(text::UpperAscii(T(a.macText))));
        EXPECT_FALSE(a.ipAddresses.empty());
        EXPECT_EQ(a.ipAddresses.size(), a.ipMasks.size());
    }
}

TEST(AdapterDiscovery, FindsTheGuidByMacTextInEitherCase) {
    const std::vector<AdapterInfo> adapters = ListAdapters();
    ASSERT_FALSE(adapters.empty());
    for (const AdapterInfo& a : adapters) {
        EXPECT_EQ(a.guid, FindAdapterGuid(a.macText));
        EXPECT_EQ(a.guid, FindAdapterGuid(LowerAscii(a.macText)));
    }
    EXPECT_EQ(L"", FindAdapterGuid(L"00:00:5E:00:53:FE"));  // documentation range, no adapter
    EXPECT_EQ(L"", FindAdapterGuid(L""));
    EXPECT_EQ(L"", FindAdapterGuid(adapters.front().macText + L":00"));
}

TEST(AdapterDiscovery, ConnectionNameComesOnlyFromAStringNameValue) {
    const AdapterInfo a = FirstAdapter();
    ASSERT_FALSE(a.guid.empty());
    {
        CRegistrySeed seed;
        // Wine keeps no such key: a GUID without a Connection key has no name.
        EXPECT_EQ(L"", GetConnectionName(a.guid));
        ASSERT_TRUE(seed.SetString(HKEY_LOCAL_MACHINE, AdapterConnectionKey(a.guid), L"Name", L"ローカル エリア接続 2"));
        EXPECT_EQ(L"ローカル エリア接続 2", GetConnectionName(a.guid));
        ASSERT_TRUE(
            seed.SetString(HKEY_LOCAL_MACHINE, AdapterConnectionKey(a.guid), L"Name", L"%NAME%", REG_EXPAND_SZ));
        EXPECT_EQ(L"", GetConnectionName(a.guid));
        // A name that does not fit the 1,024-byte buffer is not taken.
        ASSERT_TRUE(seed.SetString(HKEY_LOCAL_MACHINE, AdapterConnectionKey(a.guid), L"Name", std::wstring(600, L'n')));
        EXPECT_EQ(L"", GetConnectionName(a.guid));
        EXPECT_EQ(L"", GetConnectionName(L""));
    }
    EXPECT_EQ(L"", GetConnectionName(a.guid)) << "the seeded key was not removed";
}

// The adapter's TCP/IP key, seeded per test and removed afterwards.
class CurrentIPv4 : public ::testing::Test {
protected:
    void SetUp() override {
        guid_ = FirstAdapter().guid;
        ASSERT_FALSE(guid_.empty());
    }
    void TearDown() override {
        seed_.reset();
        std::wstring ip, mask, gateway;
        EXPECT_FALSE(ReadCurrentIPv4(guid_, ip, mask, gateway)) << "the seeded key was not removed";
    }
    bool Str(const wchar_t* name, const std::wstring& value) {
        return seed_->SetString(HKEY_LOCAL_MACHINE, AdapterTcpipKey(guid_), name, value);
    }
    bool Multi(const wchar_t* name, const std::vector<std::wstring>& values) {
        return seed_->SetMultiString(HKEY_LOCAL_MACHINE, AdapterTcpipKey(guid_), name, values);
    }
    bool Dword(const wchar_t* name, DWORD value) {
        return seed_->SetDword(HKEY_LOCAL_MACHINE, AdapterTcpipKey(guid_), name, value);
    }
    // Seeds both sets of values, so that only the rules decide which is read.
    void SeedBoth() {
        ASSERT_TRUE(Str(L"DhcpIPAddress", L"192.168.50.7"));
        ASSERT_TRUE(Str(L"DhcpSubnetMask", L"255.255.255.0"));
        ASSERT_TRUE(Str(L"DhcpDefaultGateway", L"192.168.50.1"));
        ASSERT_TRUE(Multi(L"IPAddress", {L"10.1.2.3"}));
        ASSERT_TRUE(Multi(L"SubnetMask", {L"255.0.0.0"}));
        ASSERT_TRUE(Multi(L"DefaultGateway", {L"10.0.0.1"}));
    }
    void Expect(const wchar_t* ip, const wchar_t* mask, const wchar_t* gateway) {
        std::wstring i = L"x", m = L"x", g = L"x";
        ASSERT_TRUE(ReadCurrentIPv4(guid_, i, m, g));
        EXPECT_EQ(ip, i);
        EXPECT_EQ(mask, m);
        EXPECT_EQ(gateway, g);
    }

    std::wstring guid_;
    std::unique_ptr<CRegistrySeed> seed_ = std::make_unique<CRegistrySeed>();
};

TEST_F(CurrentIPv4, DhcpAdapterReportsItsLeasedValues) {
    SeedBoth();
    ASSERT_TRUE(Dword(L"EnableDHCP", 1));
    Expect(L"192.168.50.7", L"255.255.255.0", L"192.168.50.1");
    ASSERT_TRUE(Dword(L"EnableDHCP", 7));  // any value but 0
    Expect(L"192.168.50.7", L"255.255.255.0", L"192.168.50.1");
}

TEST_F(CurrentIPv4, DhcpWithoutLeaseReportsTheAutoConfigurationAddress) {
    SeedBoth();
    ASSERT_TRUE(Dword(L"EnableDHCP", 1));
    ASSERT_TRUE(Str(L"DhcpIPAddress", L"0.0.0.0"));
    ASSERT_TRUE(Str(L"IPAutoconfigurationAddress", L"169.254.12.34"));
    ASSERT_TRUE(Str(L"IPAutoconfigurationMask", L"255.255.0.0"));
    Expect(L"169.254.12.34", L"255.255.0.0", L"");
    // Without an automatic-configuration address nothing is left.
    seed_.reset();
    seed_ = std::make_unique<CRegistrySeed>();
    ASSERT_TRUE(Dword(L"EnableDHCP", 1));
    ASSERT_TRUE(Str(L"DhcpIPAddress", L"0.0.0.0"));
    ASSERT_TRUE(Str(L"DhcpDefaultGateway", L"192.168.50.1"));
    Expect(L"", L"", L"");
}

TEST_F(CurrentIPv4, DisableDhcpOnConnectOneMeansFixedValues) {
    SeedBoth();
    ASSERT_TRUE(Dword(L"EnableDHCP", 1));
    ASSERT_TRUE(Dword(L"DisableDhcpOnConnect", 1));
    Expect(L"10.1.2.3", L"255.0.0.0", L"10.0.0.1");
    ASSERT_TRUE(Dword(L"DisableDhcpOnConnect", 2));
    Expect(L"192.168.50.7", L"255.255.255.0", L"192.168.50.1");
}

TEST_F(CurrentIPv4, FixedAdapterReportsTheFirstOfSeveralAddresses) {
    ASSERT_TRUE(Dword(L"EnableDHCP", 0));
    ASSERT_TRUE(Multi(L"IPAddress", {L"192.168.10.5", L"192.168.10.6", L"10.0.0.5"}));
    ASSERT_TRUE(Multi(L"SubnetMask", {L"255.255.255.0", L"255.255.255.0", L"255.0.0.0"}));
    ASSERT_TRUE(Multi(L"DefaultGateway", {L"192.168.10.1", L"10.0.0.1"}));
    ASSERT_TRUE(Str(L"DhcpIPAddress", L"172.16.0.9"));
    Expect(L"192.168.10.5", L"255.255.255.0", L"192.168.10.1");
}

TEST_F(CurrentIPv4, UnreadableValuesLeaveTheirFieldEmpty) {
    ASSERT_TRUE(Dword(L"EnableDHCP", 0));
    ASSERT_TRUE(Multi(L"IPAddress", {L"192.168.10.5"}));
    ASSERT_TRUE(Str(L"SubnetMask", std::wstring(600, L'9')));  // more than 1,024 bytes
    Expect(L"192.168.10.5", L"", L"");
}

TEST_F(CurrentIPv4, NameServerTellsAutomaticSetOrUnreadable) {
    EXPECT_EQ(-1, ReadNameServerState(L""));
    EXPECT_EQ(-1, ReadNameServerState(guid_));  // no key yet
    ASSERT_TRUE(Str(L"NameServer", L""));
    EXPECT_EQ(1, ReadNameServerState(guid_));
    ASSERT_TRUE(Str(L"NameServer", L"192.168.1.2,192.168.1.3"));
    EXPECT_EQ(0, ReadNameServerState(guid_));
    // A value that fills the whole buffer of 1,024 characters without a
    // terminator of its own still ends inside it (the type is not looked at;
    // Wine refuses such a REG_SZ); a longer one is unreadable.
    const std::wstring full(1024, L'9');
    ASSERT_TRUE(seed_->SetBytes(HKEY_LOCAL_MACHINE, AdapterTcpipKey(guid_), L"NameServer", REG_BINARY, full.data(),
                                static_cast<DWORD>(full.size() * sizeof(wchar_t))));
    EXPECT_EQ(0, ReadNameServerState(guid_));
    ASSERT_TRUE(Str(L"NameServer", std::wstring(1025, L'9')));
    EXPECT_EQ(-1, ReadNameServerState(guid_));
}

TEST_F(CurrentIPv4, MissingKeyOrEnableDhcpFails) {
    std::wstring ip, mask, gateway;
    EXPECT_FALSE(ReadCurrentIPv4(L"", ip, mask, gateway));
    EXPECT_FALSE(ReadCurrentIPv4(guid_, ip, mask, gateway));  // no key yet
    SeedBoth();
    EXPECT_FALSE(ReadCurrentIPv4(guid_, ip, mask, gateway));  // key without EnableDHCP
    ASSERT_TRUE(Dword(L"EnableDHCP", 0));
    EXPECT_TRUE(ReadCurrentIPv4(guid_, ip, mask, gateway));
}

}  // namespace
