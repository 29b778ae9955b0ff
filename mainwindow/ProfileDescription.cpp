#include "mainwindow/ProfileDescription.h"

#include "system/Tools.h"

namespace description {

namespace {

constexpr std::size_t kConnectionLineLimit = 20;

Text Line(const Text& value) { return u"  " + value + u"\r\n"; }

Text Dotted(uint32_t address) { return CTools().AddressToText(address); }

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
           Dotted(r.subnetMask) + u"\r\n    デフォルトゲートウェイ：" + gateway + u"\r\n";
}

Text DnsLines(const CProfileData& profile, DnsLabels labels) {
    const ProfileRecord& r = profile.Record();
    if (r.dnsMode != 1) return u"  DNSサーバ取得方法：自動取得\r\n";
    if (r.preferredDns == 0) return u"  DNSサーバ取得方法：手動設定\r\n    設定なし\r\n";
    const bool full = labels == DnsLabels::Full;
    const Text alternate = r.alternateDns != 0 ? Dotted(r.alternateDns) : Text();
    return Text(u"  DNSサーバ取得方法：手動設定\r\n") + (full ? u"    優先DNSサーバ：" : u"    優先DNS：") +
           Dotted(r.preferredDns) + u"\r\n" + (full ? u"    代替DNSサーバ：" : u"    代替DNS：") + alternate +
           u"\r\n";
}

Text TcpIpSection(const CProfileData& profile, DnsLabels labels) {
    return u"TCP/IP設定\r\n" + AddressMethodLines(profile) + DnsLines(profile, labels);
}

}  // namespace description

Text ComposeTaskDescription(const CProfileData& profile) {
    return description::ShortConnectionSection(profile) +
           description::TcpIpSection(profile, description::DnsLabels::Short);
}
