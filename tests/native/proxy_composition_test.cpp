#include <gtest/gtest.h>

#include "switching/ProxyComposition.h"

namespace {

using proxy::Action;

CProfileData SetMode() {
    CProfileData p;
    p.Record().proxyMode = 2;
    return p;
}

enum Protocol { kHttp, kSecure, kFtp, kGopher, kSocks };

// Sets one protocol's server name and port (the port fields are packed and
// may not be bound to references).
void Server(CProfileData& p, Protocol protocol, const char16_t* name, int32_t port) {
    ProfileRecord& r = p.Record();
    switch (protocol) {
    case kHttp: p.SetText(ProfileText::httpProxyServer, name); r.httpProxyPort = port; break;
    case kSecure: p.SetText(ProfileText::secureProxyServer, name); r.secureProxyPort = port; break;
    case kFtp: p.SetText(ProfileText::ftpProxyServer, name); r.ftpProxyPort = port; break;
    case kGopher: p.SetText(ProfileText::gopherProxyServer, name); r.gopherProxyPort = port; break;
    case kSocks: p.SetText(ProfileText::socksProxyServer, name); r.socksProxyPort = port; break;
    }
}

// HTTP, Secure and FTP on one host, each with its own port.
CProfileData ThreeOnOneHost(int32_t httpPort, int32_t securePort, int32_t ftpPort) {
    CProfileData p = SetMode();
    Server(p, kHttp, u"p1", httpPort);
    Server(p, kSecure, u"p1", securePort);
    Server(p, kFtp, u"p1", ftpPort);
    return p;
}

TEST(ProxyComposition, LeaveUnchangedWritesNothing) {
    CProfileData p = ThreeOnOneHost(8080, 8080, 8080);
    p.Record().proxyMode = 1;
    EXPECT_EQ(Action::LeaveUnchanged, proxy::Compose(p, 8).action);
}

TEST(ProxyComposition, NoProxyWritesOnlyDirectFlagsAndAnEmptyScript) {
    CProfileData p = ThreeOnOneHost(8080, 8080, 8080);
    p.Record().proxyMode = 0;
    p.Record().autoConfigEnabled = 1;
    p.SetText(ProfileText::autoConfigUrl, u"http://127.0.0.1/proxy.pac");
    const proxy::Options o = proxy::Compose(p, 8);
    EXPECT_EQ(Action::TurnOff, o.action);
    EXPECT_EQ(proxy::kTypeDirect, o.flags);
    EXPECT_EQ(Text(), o.autoConfigUrl);
}

TEST(ProxyComposition, EveryModeOtherThanZeroAndOneSetsTheProfile) {
    CProfileData p = ThreeOnOneHost(8080, 8080, 8080);
    for (uint8_t mode : {2, 3, 255}) {
        p.Record().proxyMode = mode;
        EXPECT_EQ(Action::SetFromProfile, proxy::Compose(p, 8).action) << int(mode);
    }
}

TEST(ProxyComposition, NoServerAndNoScriptGoesDirectWithEmptyTexts) {
    CProfileData p = SetMode();
    p.Record().bypassLocal = 1;
    p.SetText(ProfileText::proxyBypassList, u"a.example");
    const proxy::Options o = proxy::Compose(p, 8);
    EXPECT_EQ(Action::SetFromProfile, o.action);
    EXPECT_EQ(proxy::kTypeDirect, o.flags);
    EXPECT_EQ(Text(), o.server);
    EXPECT_EQ(Text(), o.bypass);
    EXPECT_EQ(Text(), o.autoConfigUrl);
}

TEST(ProxyComposition, ScriptAloneUsesTheTrimmedAddress) {
    CProfileData p = SetMode();
    p.Record().autoConfigEnabled = 1;
    p.SetText(ProfileText::autoConfigUrl, u"  http://pac.example/p.pac \t ");
    proxy::Options o = proxy::Compose(p, 8);
    EXPECT_EQ(proxy::kTypeAutoProxyUrl, o.flags);
    // Only the space character is trimmed.
    EXPECT_EQ(Text(u"http://pac.example/p.pac \t"), o.autoConfigUrl);

    p.SetText(ProfileText::autoConfigUrl, u"   ");
    o = proxy::Compose(p, 8);
    EXPECT_EQ(proxy::kTypeDirect, o.flags);
    EXPECT_EQ(Text(), o.autoConfigUrl);

    p.SetText(ProfileText::autoConfigUrl, u"http://pac.example/p.pac");
    p.Record().autoConfigEnabled = 2;  // only 1 switches the script on
    o = proxy::Compose(p, 8);
    EXPECT_EQ(proxy::kTypeDirect, o.flags);
    EXPECT_EQ(Text(), o.autoConfigUrl);
}

TEST(ProxyComposition, EqualHostPortTextsGiveOneServer) {
    CProfileData p = ThreeOnOneHost(8080, 8080, 8080);
    proxy::Options o = proxy::Compose(p, 8);
    EXPECT_EQ(proxy::kTypeProxy, o.flags);
    EXPECT_EQ(Text(u"p1:8080"), o.server);
    EXPECT_EQ(Text(), o.bypass);
    EXPECT_EQ(Text(), o.autoConfigUrl);

    p.Record().autoConfigEnabled = 1;
    p.SetText(ProfileText::autoConfigUrl, u"http://pac.example/p.pac");
    o = proxy::Compose(p, 8);
    EXPECT_EQ(proxy::kTypeProxy | proxy::kTypeAutoProxyUrl, o.flags);
    EXPECT_EQ(Text(u"p1:8080"), o.server);
    EXPECT_EQ(Text(u"http://pac.example/p.pac"), o.autoConfigUrl);
}

TEST(ProxyComposition, DifferentPortOrLetterCaseGivesThePerProtocolList) {
    proxy::Options o = proxy::Compose(ThreeOnOneHost(8080, 8080, 21), 8);
    EXPECT_EQ(proxy::kTypeProxy, o.flags);
    EXPECT_EQ(Text(u"https=p1:8080 http=p1:8080 ftp=p1:21"), o.server);

    CProfileData p = ThreeOnOneHost(8080, 8080, 8080);
    p.SetText(ProfileText::secureProxyServer, u"P1");
    o = proxy::Compose(p, 8);
    EXPECT_EQ(Text(u"https=P1:8080 http=p1:8080 ftp=p1:8080"), o.server);
}

TEST(ProxyComposition, SocksServerAlwaysGivesTheListInItsOrder) {
    CProfileData p = SetMode();
    Server(p, kSocks, u"s1", 1080);
    Server(p, kSecure, u"p1", 443);
    Server(p, kHttp, u"p1", 8080);
    Server(p, kFtp, u"f1", 21);
    EXPECT_EQ(Text(u"socks=s1:1080 https=p1:443 http=p1:8080 ftp=f1:21"), proxy::Compose(p, 8).server);

    CProfileData same = ThreeOnOneHost(8080, 8080, 8080);
    Server(same, kSocks, u"p1", 8080);
    EXPECT_EQ(Text(u"socks=p1:8080 https=p1:8080 http=p1:8080 ftp=p1:8080"), proxy::Compose(same, 8).server);

    CProfileData socksOnly = SetMode();
    Server(socksOnly, kSocks, u"s1", 1080);
    const proxy::Options o = proxy::Compose(socksOnly, 8);
    EXPECT_EQ(proxy::kTypeProxy, o.flags);
    EXPECT_EQ(Text(u"socks=s1:1080"), o.server);
}

TEST(ProxyComposition, GopherCountsOnlyOnInternetExplorer6) {
    CProfileData p = ThreeOnOneHost(8080, 8080, 8080);
    Server(p, kGopher, u"g1", 70);
    // Any other version: the stored gopher server is ignored everywhere.
    for (int version : {0, 5, 7, 8, 11}) EXPECT_EQ(Text(u"p1:8080"), proxy::Compose(p, version).server) << version;
    EXPECT_EQ(Text(u"https=p1:8080 http=p1:8080 gopher=g1:70 ftp=p1:8080"), proxy::Compose(p, 6).server);

    Server(p, kGopher, u"p1", 8080);
    EXPECT_EQ(Text(u"p1:8080"), proxy::Compose(p, 6).server);

    // On version 6 an empty gopher server makes the texts differ.
    p.ClearText(ProfileText::gopherProxyServer);
    EXPECT_EQ(Text(u"https=p1:8080 http=p1:8080 ftp=p1:8080"), proxy::Compose(p, 6).server);

    CProfileData gopherOnly = SetMode();
    Server(gopherOnly, kGopher, u"g1", 70);
    EXPECT_EQ(proxy::kTypeDirect, proxy::Compose(gopherOnly, 8).flags);
    const proxy::Options o6 = proxy::Compose(gopherOnly, 6);
    EXPECT_EQ(proxy::kTypeProxy, o6.flags);
    EXPECT_EQ(Text(u"gopher=g1:70"), o6.server);
}

TEST(ProxyComposition, SameProxyForAllUsesTheHttpServerOnly) {
    CProfileData p = SetMode();
    ProfileRecord& r = p.Record();
    r.sameProxyForAll = 1;
    Server(p, kSocks, u"s1", 1080);
    Server(p, kFtp, u"f1", 21);
    p.SetText(ProfileText::proxyBypassList, u"a.example");
    proxy::Options o = proxy::Compose(p, 6);
    EXPECT_EQ(proxy::kTypeDirect, o.flags);  // no HTTP server: no proxy at all
    EXPECT_EQ(Text(), o.server);
    EXPECT_EQ(Text(), o.bypass);

    Server(p, kHttp, u"h1", 3128);
    o = proxy::Compose(p, 6);
    EXPECT_EQ(proxy::kTypeProxy, o.flags);
    EXPECT_EQ(Text(u"h1:3128"), o.server);
    EXPECT_EQ(Text(u"a.example"), o.bypass);

    r.autoConfigEnabled = 1;
    p.SetText(ProfileText::autoConfigUrl, u"http://pac.example/p.pac");
    EXPECT_EQ(proxy::kTypeProxy | proxy::kTypeAutoProxyUrl, proxy::Compose(p, 6).flags);
    p.ClearText(ProfileText::httpProxyServer);
    EXPECT_EQ(proxy::kTypeAutoProxyUrl, proxy::Compose(p, 6).flags);
}

TEST(ProxyComposition, BypassTextIsTheListAsStoredWithLocalAppended) {
    CProfileData p = ThreeOnOneHost(8080, 8080, 8080);
    p.Record().bypassLocal = 1;
    EXPECT_EQ(Text(u" <local>"), proxy::Compose(p, 8).bypass);

    p.SetText(ProfileText::proxyBypassList, u"*.a.example\r\n10.*");
    EXPECT_EQ(Text(u"*.a.example\r\n10.* <local>"), proxy::Compose(p, 8).bypass);

    p.Record().bypassLocal = 0;
    EXPECT_EQ(Text(u"*.a.example\r\n10.*"), proxy::Compose(p, 8).bypass);

    // A list may fill the whole field: 2,048 characters, all handed over.
    const Text longList(2048, u'x');
    p.SetText(ProfileText::proxyBypassList, longList + u"cut");
    p.Record().bypassLocal = 1;
    EXPECT_EQ(longList + u" <local>", proxy::Compose(p, 8).bypass);
}

}  // namespace
