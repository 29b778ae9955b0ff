#include <gtest/gtest.h>

#include "tests/native/Ip.h"

#include "profile/ProfileDescription.h"
#include "wizard/TcpPageRules.h"
#include "mainwindow/ProfileNumber.h"

namespace {


const char kDhcpTcpIp[] = "TCP/IP設定\r\n  接続方法：DHCP接続\r\n  DNSサーバ取得方法：自動取得\r\n";
const char kNoChecksAppPrinter[] =
    "ネットワーク接続確認\r\n  なし\r\nネットワーク設定後アプリケーションの起動の設定\r\n  なし\r\n"
    "デフォルトプリンタの設定\r\n  なし\r\n";

CProfileData Plain() {
    CProfileData p;  // defaults: DHCP, automatic DNS, proxy unchanged
    p.SetText(ProfileText::profileName, u"Office");
    p.SetText(ProfileText::connectionName, u"ローカル エリア接続");
    p.SetText(ProfileText::adapterDescription, u"Intel(R) PRO/1000");
    return p;
}

std::string Description(const CProfileData& p, int32_t ie = 8) { return text::ToUtf8(ComposeProfileDescription(p, ie)); }

// The description between the proxy heading and the check heading.
std::string ProxyPart(const CProfileData& p, int32_t ie = 8) {
    const std::string d = Description(p, ie);
    const std::string head = "Internet Explorerプロキシ設定\r\n";
    const std::size_t from = d.find(head);
    const std::size_t to = d.find("ネットワーク接続確認\r\n");
    if (from == std::string::npos || to == std::string::npos) return "<missing>";
    return d.substr(from + head.size(), to - from - head.size());
}

CProfileData ProxyProfile() {
    CProfileData p = Plain();
    p.Record().proxyMode = 2;
    return p;
}

TEST(ProfileDescription, DefaultProfileInFull) {
    EXPECT_EQ(Description(Plain()), std::string("ネットワーク接続名\r\n  ローカル エリア接続\r\n"
                                                "ネットワークアダプタ\r\n  Intel(R) PRO/1000\r\n") +
                                        kDhcpTcpIp +
                                        "Internet Explorerプロキシ設定\r\n  プロキシの設定を変更しない\r\n" +
                                        kNoChecksAppPrinter);
}

TEST(ProfileDescription, ConfirmationSummaryIsTheDescriptionWithoutConnectionAndAdapter) {
    EXPECT_EQ(text::ToUtf8(ComposeProfileSummary(Plain(), 8)),
              std::string(kDhcpTcpIp) + "Internet Explorerプロキシ設定\r\n  プロキシの設定を変更しない\r\n" +
                  kNoChecksAppPrinter);
}

TEST(ProfileDescription, FixedAddressWithoutGatewayEndsAfterTheColon) {
    CProfileData p = Plain();
    p.Record().ipMode = 1;
    p.Record().ipAddress = Ip(10, 1, 2, 3);
    p.Record().subnetMask = Ip(255, 0, 0, 0);
    EXPECT_NE(Description(p).find("  接続方法：固定IP接続\r\n    IPアドレス：10.1.2.3\r\n    サブネットマスク：255.0.0.0\r\n"
                                  "    デフォルトゲートウェイ：\r\n  DNSサーバ取得方法"),
              std::string::npos)
        << Description(p);
}

TEST(ProfileDescription, DnsWithFullLabels) {
    CProfileData p = Plain();
    p.Record().dnsMode = 1;
    p.Record().alternateDns = Ip(8, 8, 4, 4);  // alternate only: "設定なし"
    EXPECT_NE(Description(p).find("  DNSサーバ取得方法：手動設定\r\n    設定なし\r\nInternet Explorer"),
              std::string::npos);
    p.Record().preferredDns = Ip(8, 8, 8, 8);
    EXPECT_NE(Description(p).find("    優先DNSサーバ：8.8.8.8\r\n    代替DNSサーバ：8.8.4.4\r\nInternet"),
              std::string::npos);
    p.Record().alternateDns = 0;
    EXPECT_NE(Description(p).find("    優先DNSサーバ：8.8.8.8\r\n    代替DNSサーバ：\r\nInternet"), std::string::npos);
}

// The additions that a switch applies: addresses and gateways of a fixed
// address, servers after the preferred one, and the suffix of any profile.
TEST(ProfileDescription, AdditionsFollowTheirKindInTheTcpIpSection) {
    CProfileData p = Plain();
    p.Extension() = {{{Ip(10, 0, 0, 5), Ip(255, 0, 0, 0)}}, {{Ip(10, 0, 0, 1), 20}}, {Ip(10, 0, 0, 53)}, u"corp.example", ""};
    EXPECT_NE(Description(p).find("  DNSサーバ取得方法：自動取得\r\n  この接続のDNSサフィックス：corp.example\r\nInternet"),
              std::string::npos);
    tcppage::WriteTcpValues({1, Ip(192, 168, 1, 10), Ip(255, 255, 255, 0), 0, 1, Ip(8, 8, 8, 8), Ip(8, 8, 4, 4)}, p.Record());
    EXPECT_NE(Description(p).find("    デフォルトゲートウェイ：\r\n    追加IPアドレス：10.0.0.5/255.0.0.0\r\n"
                                  "    追加デフォルトゲートウェイ：10.0.0.1（メトリック：20）\r\n  DNSサーバ取得方法：手動設定\r\n"
                                  "    優先DNSサーバ：8.8.8.8\r\n    代替DNSサーバ：8.8.4.4\r\n    追加DNSサーバ：10.0.0.53\r\n"
                                  "  この接続のDNSサフィックス：corp.example\r\nInternet"),
              std::string::npos)
        << Description(p);
}

TEST(ProfileDescription, ProxyModes) {
    CProfileData p = Plain();
    p.Record().proxyMode = 0;
    EXPECT_EQ(ProxyPart(p), "  プロキシを利用しない\r\n");
    p.Record().proxyMode = 7;
    EXPECT_EQ(ProxyPart(p), "  プロキシの設定を変更しない\r\n");
}

TEST(ProfileDescription, ProxyModeTwoWithoutServersShowsOnlyTheScriptLine) {
    CProfileData p = ProxyProfile();
    p.SetText(ProfileText::proxyBypassList, u"*.local");
    p.Record().bypassLocal = 1;
    EXPECT_EQ(ProxyPart(p), "  自動構成スクリプトアドレス：<設定なし>\r\n");
    p.Record().autoConfigEnabled = 1;
    p.SetText(ProfileText::autoConfigUrl, u"http://127.0.0.1/proxy.pac");
    EXPECT_EQ(ProxyPart(p), "  自動構成スクリプトアドレス：http://127.0.0.1/proxy.pac\r\n");
    // The same server copied into every protocol, but one line with "same for all".
    p.Record().sameProxyForAll = 1;
    p.SetText(ProfileText::secureProxyServer, u"proxy");
    EXPECT_EQ(ProxyPart(p), "  自動構成スクリプトアドレス：http://127.0.0.1/proxy.pac\r\n");
}

TEST(ProfileDescription, SameProxyForAllIsOneLineWithExceptionsAndLocalBypass) {
    CProfileData p = ProxyProfile();
    p.Record().sameProxyForAll = 1;
    p.SetText(ProfileText::httpProxyServer, u"proxy.example");
    p.Record().httpProxyPort = 8080;
    p.SetText(ProfileText::secureProxyServer, u"proxy.example");
    p.Record().secureProxyPort = 8080;
    p.SetText(ProfileText::proxyBypassList, u"*.local\r\n10.*");
    p.Record().bypassLocal = 1;
    EXPECT_EQ(ProxyPart(p),
              "  自動構成スクリプトアドレス：<設定なし>\r\n  プロキシ：proxy.example:8080\r\n"
              "  例外プロキシアドレス：\r\n    *.local\r\n    10.*\r\n  ローカルアドレスにはプロキシを使用しない\r\n");
}

TEST(ProfileDescription, GopherOnlyWithInternetExplorerSix) {
    CProfileData p = ProxyProfile();
    p.SetText(ProfileText::gopherProxyServer, u"gopher.example");
    p.Record().gopherProxyPort = 70;
    p.Record().bypassLocal = 1;
    EXPECT_EQ(ProxyPart(p, 6),
              "  自動構成スクリプトアドレス：<設定なし>\r\n  Gopherプロキシ：gopher.example:70\r\n"
              "  ローカルアドレスにはプロキシを使用しない\r\n");
    // Without Gopher there is no server line, so no local-bypass line either.
    EXPECT_EQ(ProxyPart(p, 7), "  自動構成スクリプトアドレス：<設定なし>\r\n");
    EXPECT_EQ(ProxyPart(p, 0), "  自動構成スクリプトアドレス：<設定なし>\r\n");
}

TEST(ProfileDescription, PerProtocolServersInTheirOrder) {
    CProfileData p = ProxyProfile();
    p.SetText(ProfileText::socksProxyServer, u"s");
    p.Record().socksProxyPort = 1080;
    p.SetText(ProfileText::ftpProxyServer, u"f");
    p.Record().ftpProxyPort = 21;
    p.SetText(ProfileText::secureProxyServer, u"sec");
    p.Record().secureProxyPort = 443;
    p.SetText(ProfileText::httpProxyServer, u"h");
    p.Record().httpProxyPort = 0;  // shown as stored
    p.SetText(ProfileText::gopherProxyServer, u"g");
    p.Record().gopherProxyPort = 70;
    EXPECT_EQ(ProxyPart(p, 6),
              "  自動構成スクリプトアドレス：<設定なし>\r\n  HTTPプロキシ：h:0\r\n  Secureプロキシ：sec:443\r\n"
              "  FTPプロキシ：f:21\r\n  Gopherプロキシ：g:70\r\n  Socksプロキシ：s:1080\r\n");
}

TEST(ProfileDescription, ProxyPageSummaryHasTheSameLines) {
    CProfileData p = ProxyProfile();
    p.SetText(ProfileText::httpProxyServer, u"h");
    p.Record().httpProxyPort = 3128;
    EXPECT_EQ(text::ToUtf8(ComposeProxySummary(p, 8)),
              "Internet Explorerプロキシ設定\r\n" + ProxyPart(p));
    p.Record().proxyMode = 0;  // the page shows the details whatever the mode
    EXPECT_EQ(text::ToUtf8(ComposeProxySummary(p, 8)),
              "Internet Explorerプロキシ設定\r\n  自動構成スクリプトアドレス：<設定なし>\r\n  HTTPプロキシ：h:3128\r\n");
}

TEST(ProfileDescription, ChecksApplicationAndPrinter) {
    CProfileData p = Plain();
    p.Record().checkDhcp = 1;
    p.Record().checkUrlEnabled = 1;
    p.SetText(ProfileText::checkUrl, u"http://127.0.0.1/");
    p.Record().runAppEnabled = 1;
    p.SetText(ProfileText::appPath, u"C:\\Tools\\vpn.exe");
    p.Record().setDefaultPrinter = 1;
    p.SetText(ProfileText::printerName, u"Floor 3");
    const std::string d = Description(p);
    EXPECT_EQ(d.substr(d.find("ネットワーク接続確認")),
              "ネットワーク接続確認\r\n  IPの取得に失敗した場合確認メッセージを表示する\r\n"
              "  プロキシ設定確認の通信確認を行う\r\n    http://127.0.0.1/\r\n"
              "ネットワーク設定後アプリケーションの起動の設定\r\n  起動アプリケーション：C:\\Tools\\vpn.exe \r\n"
              "デフォルトプリンタの設定\r\n  デフォルトプリンタ：Floor 3\r\n");
    p.Record().checkDhcp = 2;  // only 1 counts as on
    p.Record().checkUrlEnabled = 0;
    p.Record().checkPingGateway = 1;
    EXPECT_NE(Description(p).find("ネットワーク接続確認\r\n  デフォルトゲートウェイにPingで通信確認を行う\r\nネットワーク設定後"),
              std::string::npos);
}

TEST(TaskDescription, ConnectionNamesOfSixteenSeventeenAndEighteenCharacters) {
    const std::string head = "ネットワーク接続名\r\n";
    auto shortForm = [&](const char16_t* name) {
        CProfileData p = Plain();
        p.SetText(ProfileText::connectionName, name);
        const std::string d = text::ToUtf8(ComposeTaskDescription(p));
        return d.substr(head.size(), d.find("TCP/IP設定") - head.size());
    };
    EXPECT_EQ(shortForm(u"ワイヤレス ネットワーク接続 2"), "  ワイヤレス ネットワーク接続 2\r\n");  // 16
    EXPECT_EQ(shortForm(u"ワイヤレス ネットワーク接続 12"), "  ワイヤレス ネットワーク接続 12\r...\r\n");  // 17
    EXPECT_EQ(shortForm(u"ワイヤレス ネットワーク接続 123"), "  ワイヤレス ネットワーク接続 123...\r\n");  // 18
    EXPECT_EQ(shortForm(u"ワイヤレス ネットワーク接続 1234"), "  ワイヤレス ネットワーク接続 123...\r\n");  // 19
    // The description itself never cuts.
    CProfileData p = Plain();
    p.SetText(ProfileText::connectionName, u"ワイヤレス ネットワーク接続 123");
    EXPECT_EQ(Description(p).find("ネットワーク接続名\r\n  ワイヤレス ネットワーク接続 123\r\n"), 0u);
}

TEST(ProfileNumber, NumbersArePositionsNotIdentifiers) {
    CProfileCollection profiles;
    CProfileData p = Plain();
    for (int i = 0; i < 3; ++i) profiles.Add(p);  // identifiers 1, 2, 3
    CProfileData first;
    profiles.GetByPosition(0, &first);
    profiles.Remove(first);  // identifiers 2, 3 remain
    EXPECT_EQ(ProfileIdAtNumber(profiles, 1), 2);
    EXPECT_EQ(ProfileIdAtNumber(profiles, 2), 3);
    EXPECT_EQ(ProfileIdAtNumber(profiles, 3), -1);
    EXPECT_EQ(ProfileIdAtNumber(profiles, 0), -1);
    EXPECT_EQ(ProfileIdAtNumber(profiles, -5), -1);
}

}  // namespace
