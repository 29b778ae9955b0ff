#include <gtest/gtest.h>

#include "resources/resource.h"
#include "wizard/ProxyRules.h"

namespace {

using namespace proxyrules;

struct Row {
    const char* what;
    const char16_t* script;
    bool sameForAll;
    const char16_t* servers[kProtocolCount];  // HTTP, Secure, FTP, Gopher, Socks
    int32_t ports[kProtocolCount];
    ProxyCheck expected;
};

const Row kRows[] = {
    {"nothing at all", u"", false, {}, {}, ProxyCheck::NoProxy},
    {"a script of spaces is no script", u"   ", false, {}, {}, ProxyCheck::NoProxy},
    {"a script alone", u" http://127.0.0.1/p.pac ", false, {}, {}, ProxyCheck::Passed},
    {"same for all without HTTP server", u"", true, {u"", u"s"}, {0, 443}, ProxyCheck::NoProxy},
    {"same for all with a script only", u"x", true, {u"", u"s"}, {0, 0}, ProxyCheck::Passed},
    {"Secure port missing", u"", false, {u"", u"s"}, {0, 0}, ProxyCheck::SecurePort},
    {"FTP port too large", u"", false, {u"", u"", u"f"}, {0, 0, 65536}, ProxyCheck::FtpPort},
    {"Gopher port missing", u"", false, {u"", u"", u"", u"g"}, {}, ProxyCheck::GopherPort},
    {"Socks port missing", u"x", false, {u"", u"", u"", u"", u"k"}, {}, ProxyCheck::SocksPort},
    {"Secure is checked before FTP", u"", false, {u"", u"s", u"f"}, {}, ProxyCheck::SecurePort},
    {"a server with its port", u"", false, {u"", u"", u"f"}, {0, 0, 21}, ProxyCheck::Passed},
    {"HTTP port missing", u"", false, {u"h"}, {0}, ProxyCheck::HttpPort},
    {"HTTP port too large", u"", true, {u"h"}, {65536}, ProxyCheck::HttpPort},
    {"HTTP port wins over a bad Secure port", u"", false, {u"h", u"s"}, {0, 0}, ProxyCheck::HttpPort},
    {"HTTP set: other ports not examined", u"", false, {u"h", u"s", u"f", u"g", u"k"}, {1}, ProxyCheck::Passed},
    {"HTTP on the largest port", u"", false, {u"h"}, {65535}, ProxyCheck::Passed},
};

ProxyDetails Details(const Row& row) {
    ProxyDetails d;
    d.script = row.script;
    d.sameForAll = row.sameForAll;
    for (int p = 0; p < kProtocolCount; ++p) {
        d.servers[p] = row.servers[p] ? row.servers[p] : u"";
        d.ports[p] = row.ports[p];
    }
    return d;
}

TEST(ProxyRules, ChecksOfOkAndTheCompletenessRule) {
    for (const Row& row : kRows) {
        const ProxyDetails d = Details(row);
        EXPECT_EQ(CheckDetails(d), row.expected) << row.what;
        EXPECT_EQ(IsComplete(d), row.expected == ProxyCheck::Passed) << row.what;
    }
    EXPECT_EQ(ProxyCheckMessage(ProxyCheck::NoProxy), IDS_PROXY_EMPTY);
    EXPECT_EQ(ProxyCheckMessage(ProxyCheck::HttpPort), IDS_HTTP_PORT);
    EXPECT_EQ(ProxyCheckMessage(ProxyCheck::SecurePort), IDS_SECURE_PORT);
    EXPECT_EQ(ProxyCheckMessage(ProxyCheck::FtpPort), IDS_FTP_PORT);
    EXPECT_EQ(ProxyCheckMessage(ProxyCheck::GopherPort), IDS_GOPHER_PORT);
    EXPECT_EQ(ProxyCheckMessage(ProxyCheck::SocksPort), IDS_SOCKS_PORT);
    EXPECT_EQ(ProxyCheckMessage(ProxyCheck::Passed), 0);
}

TEST(ProxyRules, PortTexts) {
    EXPECT_EQ(ReadPort(u""), 0);
    EXPECT_EQ(ReadPort(u"8080"), 8080);
    EXPECT_EQ(ReadPort(u"00080"), 80);
    EXPECT_EQ(ReadPort(u"80.5"), 80);
    EXPECT_FALSE(IsValidPort(ReadPort(u"70000")));
    EXPECT_FALSE(IsValidPort(ReadPort(u"99999999999999999999")));
    EXPECT_EQ(PortText(0), u"");
    EXPECT_EQ(PortText(3128), u"3128");
}

TEST(ProxyRules, LoadShowsGopherOnlyWithVersionSix) {
    CProfileData p;
    p.SetText(ProfileText::autoConfigUrl, u"http://127.0.0.1/p.pac");  // shown even when not enabled
    p.SetText(ProfileText::gopherProxyServer, u"g");
    p.Record().gopherProxyPort = 70;
    p.SetText(ProfileText::socksProxyServer, u"k");
    p.Record().socksProxyPort = 1080;
    p.Record().sameProxyForAll = 2;  // only 1 counts
    ProxyDetails d = LoadDetails(p, 8);
    EXPECT_EQ(d.script, u"http://127.0.0.1/p.pac");
    EXPECT_EQ(d.servers[kGopher], u"");
    EXPECT_EQ(d.ports[kGopher], 0);
    EXPECT_EQ(d.servers[kSocks], u"k");
    EXPECT_EQ(d.ports[kSocks], 1080);
    EXPECT_FALSE(d.sameForAll);
    d = LoadDetails(p, 6);
    EXPECT_EQ(d.servers[kGopher], u"g");
    EXPECT_EQ(d.ports[kGopher], 70);
}

TEST(ProxyRules, StoreTrimsTheScriptAndKeepsTheWholeExceptionList) {
    CProfileData p;
    p.SetText(ProfileText::autoConfigUrl, u"http://old");
    ProxyDetails d;
    d.script = u"  http://127.0.0.1/p.pac  ";
    d.servers[kHttp] = u"127.0.0.1";
    d.ports[kHttp] = 8080;
    d.servers[kSecure] = u"s";  // stored without a port check
    d.sameForAll = true;
    d.exceptions = Text(1500, u'a') + u"\r\n" + Text(546, u'b') + u"cut";  // 2,048 characters kept
    d.bypassLocal = true;
    StoreDetails(d, &p);
    const ProfileRecord& r = p.Record();
    EXPECT_EQ(r.autoConfigEnabled, 1);
    EXPECT_EQ(p.GetText(ProfileText::autoConfigUrl), u"http://127.0.0.1/p.pac");
    EXPECT_EQ(p.GetText(ProfileText::httpProxyServer), u"127.0.0.1");
    EXPECT_EQ(int32_t{r.httpProxyPort}, 8080);
    EXPECT_EQ(p.GetText(ProfileText::secureProxyServer), u"s");
    EXPECT_EQ(int32_t{r.secureProxyPort}, 0);
    EXPECT_EQ(r.sameProxyForAll, 1);
    EXPECT_EQ(p.GetText(ProfileText::proxyBypassList), d.exceptions.substr(0, 2048));
    EXPECT_EQ(r.bypassLocal, 1);

    // A script of spaces: no script, and the old address is gone.
    d.script = u"   ";
    d.sameForAll = false;
    d.bypassLocal = false;
    StoreDetails(d, &p);
    EXPECT_EQ(r.autoConfigEnabled, 0);
    EXPECT_EQ(p.GetText(ProfileText::autoConfigUrl), u"");
    EXPECT_EQ(r.sameProxyForAll, 0);
    EXPECT_EQ(r.bypassLocal, 0);
    EXPECT_EQ(LoadDetails(p, 6).servers[kSecure], u"s");
}

}  // namespace
