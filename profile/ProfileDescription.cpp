#include "profile/ProfileDescription.h"

#include <vector>

#include "system/Tools.h"

namespace description {

namespace {

constexpr std::size_t kConnectionLineLimit = 20;

Text Line(const Text& value) { return u"  " + value + u"\r\n"; }

Text Dotted(uint32_t address) { return CTools().AddressToText(address); }

bool IsOn(uint8_t flag) { return flag == 1; }

// "%s:%d" of a proxy server and its port.
Text ServerLine(const char16_t* label, const Text& server, int32_t port) {
    return u"  " + Text(label) + server + u":" + text::Decimal(port) + u"\r\n";
}

struct ProxyServer {
    const char16_t* label;
    TextField server;
    int32_t port;
};

// The per-protocol servers in the order they are listed; Gopher only with
// Internet Explorer 6. (The ports are packed fields: read by value.)
std::vector<ProxyServer> ListedServers(const ProfileRecord& r, int32_t ieMajorVersion) {
    std::vector<ProxyServer> servers = {
        {u"HTTPプロキシ：", ProfileText::httpProxyServer, r.httpProxyPort},
        {u"Secureプロキシ：", ProfileText::secureProxyServer, r.secureProxyPort},
        {u"FTPプロキシ：", ProfileText::ftpProxyServer, r.ftpProxyPort},
    };
    if (ieMajorVersion == 6) servers.push_back({u"Gopherプロキシ：", ProfileText::gopherProxyServer, r.gopherProxyPort});
    servers.push_back({u"Socksプロキシ：", ProfileText::socksProxyServer, r.socksProxyPort});
    return servers;
}

Text ScriptLine(const CProfileData& profile) {
    if (!IsOn(profile.Record().autoConfigEnabled)) return u"  自動構成スクリプトアドレス：<設定なし>\r\n";
    return u"  自動構成スクリプトアドレス：" + profile.GetText(ProfileText::autoConfigUrl) + u"\r\n";
}

Text ServerLines(const CProfileData& profile, int32_t ieMajorVersion) {
    const ProfileRecord& r = profile.Record();
    if (IsOn(r.sameProxyForAll)) {
        const Text http = profile.GetText(ProfileText::httpProxyServer);
        return http.empty() ? Text() : ServerLine(u"プロキシ：", http, r.httpProxyPort);
    }
    Text lines;
    for (const ProxyServer& s : ListedServers(r, ieMajorVersion)) {
        const Text server = profile.GetText(s.server);
        if (!server.empty()) lines += ServerLine(s.label, server, s.port);
    }
    return lines;
}

Text BypassLines(const CProfileData& profile) {
    Text lines;
    const Text list = profile.GetText(ProfileText::proxyBypassList);
    if (!list.empty()) lines = u"  例外プロキシアドレス：\r\n    " + text::ReplaceAll(list, u"\r\n", u"\r\n    ") + u"\r\n";
    if (IsOn(profile.Record().bypassLocal)) lines += u"  ローカルアドレスにはプロキシを使用しない\r\n";
    return lines;
}

// "  なし\r\n" when a section has nothing switched on.
Text NoneWhenEmpty(const Text& lines) { return lines.empty() ? Text(u"  なし\r\n") : lines; }

}  // namespace

Text ConnectionSection(const CProfileData& profile) {
    return u"ネットワーク接続名\r\n" + Line(profile.GetText(ProfileText::connectionName));
}

Text ShortConnectionSection(const CProfileData& profile) {
    Text line = Line(profile.GetText(ProfileText::connectionName));
    if (line.size() > kConnectionLineLimit) line = line.substr(0, kConnectionLineLimit) + u"...\r\n";
    return u"ネットワーク接続名\r\n" + line;
}

Text AdapterSection(const CProfileData& profile) {
    return u"ネットワークアダプタ\r\n" + Line(profile.GetText(ProfileText::adapterDescription));
}

Text AddressMethodLines(const CProfileData& profile) {
    const ProfileRecord& r = profile.Record();
    if (r.ipMode != 1) return u"  接続方法：DHCP接続\r\n";
    const Text gateway = r.defaultGateway != 0 ? Dotted(r.defaultGateway) : Text();
    return u"  接続方法：固定IP接続\r\n    IPアドレス：" + Dotted(r.ipAddress) + u"\r\n    サブネットマスク：" +
           Dotted(r.subnetMask) + u"\r\n    デフォルトゲートウェイ：" + gateway + u"\r\n" + AddedAddressLines(profile);
}

Text AddedAddressLines(const CProfileData& profile) {
    const ProfileExtension& e = profile.Extension();
    Text lines;
    for (const AddedAddress& a : e.moreAddresses)
        lines += u"    追加IPアドレス：" + Dotted(a.ipAddress) + u"/" + Dotted(a.subnetMask) + u"\r\n";
    for (const AddedGateway& g : e.moreGateways)
        lines += u"    追加デフォルトゲートウェイ：" + Dotted(g.defaultGateway) + u"（メトリック：" +
                 text::Decimal(g.metric) + u"）\r\n";
    return lines;
}

Text DnsLines(const CProfileData& profile, DnsLabels labels) {
    const ProfileRecord& r = profile.Record();
    if (r.dnsMode != 1) return u"  DNSサーバ取得方法：自動取得\r\n";
    if (r.preferredDns == 0) return u"  DNSサーバ取得方法：手動設定\r\n    設定なし\r\n";
    const bool full = labels == DnsLabels::Full;
    const Text alternate = r.alternateDns != 0 ? Dotted(r.alternateDns) : Text();
    Text lines = Text(u"  DNSサーバ取得方法：手動設定\r\n") + (full ? u"    優先DNSサーバ：" : u"    優先DNS：") +
                 Dotted(r.preferredDns) + u"\r\n" + (full ? u"    代替DNSサーバ：" : u"    代替DNS：") + alternate +
                 u"\r\n";
    for (uint32_t server : profile.Extension().moreDnsServers)
        lines += (full ? u"    追加DNSサーバ：" : u"    追加DNS：") + Dotted(server) + u"\r\n";
    return lines;
}

Text SuffixLine(const CProfileData& profile) {
    const Text& suffix = profile.Extension().dnsSuffix;
    return suffix.empty() ? Text() : u"  この接続のDNSサフィックス：" + suffix + u"\r\n";
}

Text TcpIpSection(const CProfileData& profile, DnsLabels labels) {
    return u"TCP/IP設定\r\n" + AddressMethodLines(profile) + DnsLines(profile, labels) + SuffixLine(profile);
}

Text RecordedNetworkLines(const RecordedNetwork& network) {
    Text lines;
    if (!network.gatewayMac.empty()) lines += u"  ゲートウェイのMACアドレス：" + network.gatewayMac + u"\r\n";
    if (!network.dnsDomain.empty()) lines += u"  DNSサフィックス：" + network.dnsDomain + u"\r\n";
    if (!network.wifiName.empty()) lines += u"  ワイヤレスネットワーク名：" + network.wifiName + u"\r\n";
    return lines;
}

Text NetworkSection(const CProfileData& profile) {
    const ProfileExtension& e = profile.Extension();
    Text lines = RecordedNetworkLines(e.network);
    if (e.automatic) lines += u"  このネットワークに接続したとき自動的に適用する\r\n";
    if (e.fallback == ProfileExtension::Fallback::NoDhcp) lines += u"  DHCPサーバが応答しないとき適用する\r\n";
    if (e.fallback == ProfileExtension::Fallback::GatewayLost)
        lines += u"  固定ネットワークのゲートウェイが応答しないとき適用する\r\n";
    return lines.empty() ? Text() : u"ネットワークの記録と自動適用\r\n" + lines;
}

Text AddressSummary(const CProfileData& profile) {
    const ProfileRecord& r = profile.Record();
    if (r.ipMode != 1) return u"DHCP";
    return u"固定IP " + Dotted(r.ipAddress) + u"/" + Dotted(r.subnetMask);
}

Text ProxyHeading() { return u"Internet Explorerプロキシ設定\r\n"; }

Text ProxyDetailLines(const CProfileData& profile, int32_t ieMajorVersion) {
    const Text servers = ServerLines(profile, ieMajorVersion);
    return ScriptLine(profile) + servers + (servers.empty() ? Text() : BypassLines(profile));
}

Text ProxySection(const CProfileData& profile, int32_t ieMajorVersion) {
    switch (profile.Record().proxyMode) {
        case 0:
            return ProxyHeading() + u"  プロキシを利用しない\r\n";
        case 2:
            return ProxyHeading() + ProxyDetailLines(profile, ieMajorVersion);
        default:
            return ProxyHeading() + u"  プロキシの設定を変更しない\r\n";
    }
}

Text CheckSection(const CProfileData& profile) {
    const ProfileRecord& r = profile.Record();
    Text lines;
    if (IsOn(r.checkDhcp)) lines += u"  IPの取得に失敗した場合確認メッセージを表示する\r\n";
    if (IsOn(r.checkPingGateway)) lines += u"  デフォルトゲートウェイにPingで通信確認を行う\r\n";
    if (IsOn(r.checkUrlEnabled))
        lines += u"  プロキシ設定確認の通信確認を行う\r\n" + Line(u"  " + profile.GetText(ProfileText::checkUrl));
    return u"ネットワーク接続確認\r\n" + NoneWhenEmpty(lines);
}

Text ApplicationSection(const CProfileData& profile) {
    Text line;
    if (IsOn(profile.Record().runAppEnabled))
        line = u"  起動アプリケーション：" + profile.GetText(ProfileText::appPath) + u" " +
               profile.GetText(ProfileText::appArguments) + u"\r\n";
    return u"ネットワーク設定後アプリケーションの起動の設定\r\n" + NoneWhenEmpty(line);
}

Text PrinterSection(const CProfileData& profile) {
    Text line;
    if (IsOn(profile.Record().setDefaultPrinter))
        line = u"  デフォルトプリンタ：" + profile.GetText(ProfileText::printerName) + u"\r\n";
    return u"デフォルトプリンタの設定\r\n" + NoneWhenEmpty(line);
}

}  // namespace description

Text ComposeTaskDescription(const CProfileData& profile) {
    return description::ShortConnectionSection(profile) +
           description::TcpIpSection(profile, description::DnsLabels::Short);
}

Text ComposeProfileSummary(const CProfileData& profile, int32_t ieMajorVersion) {
    return description::TcpIpSection(profile, description::DnsLabels::Full) + description::NetworkSection(profile) +
           description::ProxySection(profile, ieMajorVersion) + description::CheckSection(profile) +
           description::ApplicationSection(profile) + description::PrinterSection(profile);
}

Text ComposeProfileDescription(const CProfileData& profile, int32_t ieMajorVersion) {
    return description::ConnectionSection(profile) + description::AdapterSection(profile) +
           ComposeProfileSummary(profile, ieMajorVersion);
}

Text ComposeProxySummary(const CProfileData& profile, int32_t ieMajorVersion) {
    return description::ProxyHeading() + description::ProxyDetailLines(profile, ieMajorVersion);
}
