// A new profile taken over from the settings in force: the TCP/IP values of
// the chosen adapter, the Internet Explorer proxy texts, and the row the
// connection page selects.
#include <gtest/gtest.h>

#include "wizard/AdapterPageRules.h"
#include "wizard/CurrentProxyRules.h"
#include "wizard/CurrentTcpipRules.h"

namespace {

using currentproxy::CurrentProxy;
using currenttcpip::AdapterValues;
using currenttcpip::DnsValues;
using currenttcpip::NameServer;

constexpr uint32_t A(uint32_t a, uint32_t b, uint32_t c, uint32_t d) { return a << 24 | b << 16 | c << 8 | d; }

// The five servers and ports as "host:port" joined by " ", then the flag.
std::string Servers(const CProfileData& p) {
    const ProfileRecord& r = p.Record();
    const Text all = p.GetText(ProfileText::httpProxyServer) + u":" + text::Decimal(r.httpProxyPort) + u" " +
                     p.GetText(ProfileText::secureProxyServer) + u":" + text::Decimal(r.secureProxyPort) + u" " +
                     p.GetText(ProfileText::ftpProxyServer) + u":" + text::Decimal(r.ftpProxyPort) + u" " +
                     p.GetText(ProfileText::gopherProxyServer) + u":" + text::Decimal(r.gopherProxyPort) + u" " +
                     p.GetText(ProfileText::socksProxyServer) + u":" + text::Decimal(r.socksProxyPort) + u" same=" +
                     text::Decimal(r.sameProxyForAll);
    return text::ToUtf8(all);
}

TEST(CurrentProxyRules, ServerTextsBecomeServersAndPorts) {
    const struct {
        const char16_t* server;
        int ie;
        const char* want;
    } cases[] = {
        {u"p1:8080", 8, "p1:8080 p1:8080 p1:8080 :0 :0 same=1"},
        {u"p1:8080", 6, "p1:8080 p1:8080 p1:8080 p1:8080 :0 same=1"},
        {u"proxy.example", 8, "proxy.example:0 proxy.example:0 proxy.example:0 :0 :0 same=1"},
        {u"http=p1:80;https=p2:443", 8, "p1:80 p2:443 :0 :0 :0 same=0"},
        {u"FTP=f;socks=S5:1080", 6, ":0 :0 f:0 :0 S5:1080 same=0"},
    };
    for (const auto& c : cases) {
        CProfileData p;
        p.SetText(ProfileText::socksProxyServer, u"old");  // every protocol is written
        CurrentProxy current;
        current.server = Text(c.server);
        currentproxy::FillProxyFields(p, current, c.ie);
        EXPECT_EQ(Servers(p), c.want) << text::ToUtf8(c.server) << " IE " << c.ie;
        EXPECT_EQ(p.Record().proxyMode, 1) << "the mode is the proxy page's";
    }
}

TEST(CurrentProxyRules, BypassTextAndLocalAddresses) {
    const struct {
        const char16_t* bypass;
        const char16_t* list;
        uint8_t local;
    } cases[] = {
        {u"a;b;<local>", u"a;b", 1},
        {u"<local>", u"", 1},
        {u"*.corp;10.*;<LOCAL>", u"*.corp;10.*", 1},
        {u"a;b", u"a;b", 0},
    };
    for (const auto& c : cases) {
        CProfileData p;
        CurrentProxy current;
        current.bypass = Text(c.bypass);
        currentproxy::FillProxyFields(p, current, 8);
        EXPECT_EQ(text::ToUtf8(p.GetText(ProfileText::proxyBypassList)), text::ToUtf8(c.list));
        EXPECT_EQ(p.Record().bypassLocal, c.local) << text::ToUtf8(c.bypass);
    }
    // A list taken over may be twice as long as one typed in the detail dialog.
    CProfileData p;
    CurrentProxy current;
    current.bypass = Text(3000, u'x');
    currentproxy::FillProxyFields(p, current, 8);
    EXPECT_EQ(p.GetText(ProfileText::proxyBypassList).size(), 2048u);
}

TEST(CurrentProxyRules, AutoConfigurationFollowsTheFlagAndAbsentTextsChangeNothing) {
    CProfileData p;
    p.SetText(ProfileText::httpProxyServer, u"kept");
    p.SetText(ProfileText::proxyBypassList, u"kept");
    CurrentProxy current;
    current.flags = currentproxy::kAutoProxyUrlFlag;
    current.autoConfigUrl = Text(u"http://wpad/proxy.pac");
    currentproxy::FillProxyFields(p, current, 8);
    EXPECT_EQ(p.Record().autoConfigEnabled, 1);
    EXPECT_EQ(p.GetText(ProfileText::autoConfigUrl), u"http://wpad/proxy.pac");
    EXPECT_EQ(p.GetText(ProfileText::httpProxyServer), u"kept");
    EXPECT_EQ(p.GetText(ProfileText::proxyBypassList), u"kept");
    current.flags = 0x1;  // direct only
    currentproxy::FillProxyFields(p, current, 8);
    EXPECT_EQ(p.Record().autoConfigEnabled, 0);
    EXPECT_EQ(p.GetText(ProfileText::autoConfigUrl), u"");
}

TEST(CurrentTcpipRules, AdapterAndDnsValuesBecomeTheTcpipFields) {
    const struct {
        const char* what;
        AdapterValues adapter;
        NameServer nameServer;
        std::vector<uint32_t> servers;
        uint8_t ipMode;
        uint32_t ip, mask, gateway;
        uint8_t dnsMode;
        uint32_t preferred, alternate;
    } cases[] = {
        {"DHCP, automatic DNS", {true, true, A(10, 0, 0, 5), A(255, 0, 0, 0), A(10, 0, 0, 1)}, NameServer::Empty,
         {A(10, 0, 0, 53)}, 0, 0, 0, 0, 0, 0, 0},
        {"fixed, DNS set", {true, false, A(192, 168, 1, 10), A(255, 255, 255, 0), A(192, 168, 1, 1)},
         NameServer::Set, {A(192, 168, 1, 2), A(192, 168, 1, 3)}, 1, A(192, 168, 1, 10), A(255, 255, 255, 0),
         A(192, 168, 1, 1), 1, A(192, 168, 1, 2), A(192, 168, 1, 3)},
        {"one server keeps the alternate", {true, false, A(192, 168, 1, 10), A(255, 255, 255, 0), 0},
         NameServer::Unreadable, {A(192, 168, 1, 2)}, 1, A(192, 168, 1, 10), A(255, 255, 255, 0), 0, 1,
         A(192, 168, 1, 2), A(9, 9, 9, 9)},
        {"fixed without address", {true, false, 0, 0, A(192, 168, 1, 1)}, NameServer::Set, {A(192, 168, 1, 2)}, 0, 0,
         0, 0, 0, A(192, 168, 1, 2), A(9, 9, 9, 9)},
        {"adapter gone", {}, NameServer::Unreadable, {}, 1, A(1, 1, 1, 1), A(255, 0, 0, 0), A(1, 1, 1, 2), 1, 0,
         A(9, 9, 9, 9)},
    };
    for (const auto& c : cases) {
        CProfileData p;
        ProfileRecord& r = p.Record();
        // What the record held before (an earlier pass through the page).
        r.ipMode = 1;
        r.ipAddress = A(1, 1, 1, 1);
        r.subnetMask = A(255, 0, 0, 0);
        r.defaultGateway = A(1, 1, 1, 2);
        r.alternateDns = A(9, 9, 9, 9);
        const DnsValues dns{c.nameServer, c.servers};
        currenttcpip::FillTcpipFields(r, c.adapter, &dns);
        EXPECT_EQ((std::vector<uint32_t>{r.ipMode, r.ipAddress, r.subnetMask, r.defaultGateway, r.dnsMode,
                                         r.preferredDns, r.alternateDns}),
                  (std::vector<uint32_t>{c.ipMode, c.ip, c.mask, c.gateway, c.dnsMode, c.preferred, c.alternate}))
            << c.what;
    }
}

TEST(CurrentTcpipRules, WithoutNetworkParametersOnlyTheAddressIsFilled) {
    CProfileData p;
    p.Record().dnsMode = 1;
    p.Record().preferredDns = A(192, 168, 1, 2);
    currenttcpip::FillTcpipFields(p.Record(), AdapterValues{true, true, 0, 0, 0}, nullptr);
    EXPECT_EQ(p.Record().ipMode, 0);
    EXPECT_EQ(p.Record().dnsMode, 1);
    EXPECT_EQ(uint32_t{p.Record().preferredDns}, A(192, 168, 1, 2));
}

TEST(CurrentTcpipRules, WhatTheAdapterHoldsBeyondTheRecordBecomesItsAdditions) {
    ProfileRecord r{};
    r.ipMode = r.dnsMode = 1;
    r.ipAddress = A(192, 168, 1, 10);
    r.defaultGateway = A(192, 168, 1, 1);
    r.preferredDns = A(192, 168, 1, 2);
    r.alternateDns = A(192, 168, 1, 3);
    const currenttcpip::AdapterAdditions adapter{
        {{A(192, 168, 1, 10), A(255, 255, 255, 0)}, {A(10, 0, 0, 5), A(255, 0, 0, 0)}},
        {{A(192, 168, 1, 1), 0}, {A(10, 0, 0, 1), 0}, {A(192, 168, 1, 254), 25}},
        {A(192, 168, 1, 2), A(192, 168, 1, 3), A(10, 0, 0, 53)},
        u"corp.example"};
    ProfileExtension e;
    currenttcpip::FillAdditions(r, adapter, e);
    EXPECT_EQ(e, (ProfileExtension{{{A(10, 0, 0, 5), A(255, 0, 0, 0)}}, {{A(10, 0, 0, 1), 1}, {A(192, 168, 1, 254), 25}},
                           {A(10, 0, 0, 53)}, u"corp.example", ""}));
    r.ipMode = 0;
    r.alternateDns = 0;
    currenttcpip::FillAdditions(r, adapter, e);
    EXPECT_TRUE(e.Empty()) << "a DHCP adapter's and a lone server's additions are not taken";
}

TEST(AdapterPageRules, SelectsTheLastRowWithTheDescriptionOrTheFirst) {
    const std::vector<Text> rows = {u"Intel", u"Realtek", u"Intel"};
    EXPECT_EQ(adapterpage::RowToSelect(rows, u"Intel"), 2u);
    EXPECT_EQ(adapterpage::RowToSelect(rows, u"Realtek"), 1u);
    EXPECT_EQ(adapterpage::RowToSelect(rows, u""), 0u);
    EXPECT_EQ(adapterpage::RowToSelect(rows, u"intel"), 0u);
    EXPECT_EQ(adapterpage::RowToSelect({}, u"Intel"), 0u);
}

}  // namespace
