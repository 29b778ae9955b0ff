#pragma once
// The text forms of a profile: the main window's description, the shorter
// summary shown as a jump-list task's tooltip, the wizard's confirmation
// summary and the proxy page's summary. Every line ends in "\r\n"; each
// section below is one piece of the text, so the forms share them.
#include <cstdint>

#include "framework/Text.h"
#include "profile/ProfileData.h"

namespace description {

// Labels of the manual DNS servers: the description spells them out
// ("優先DNSサーバ"), the tooltip uses the short form ("優先DNS").
enum class DnsLabels { Full, Short };

// "ネットワーク接続名\r\n" and the connection name on an indented line.
Text ConnectionSection(const CProfileData& profile);
// The same, with the name's line cut to its first 20 characters followed
// by "...\r\n" when the whole line, blanks and line break included, is longer.
Text ShortConnectionSection(const CProfileData& profile);
// "ネットワークアダプタ\r\n" and the adapter description.
Text AdapterSection(const CProfileData& profile);
// "TCP/IP設定\r\n", the address method, the DNS servers and the suffix.
Text TcpIpSection(const CProfileData& profile, DnsLabels labels);
// The address method: fixed address (with or without gateway, then the
// added addresses and gateways) or DHCP.
Text AddressMethodLines(const CProfileData& profile);
// A fixed address's added addresses ("追加IPアドレス：10.0.0.5/255.0.0.0")
// and gateways ("追加デフォルトゲートウェイ：10.0.0.1（メトリック：20）"),
// one line each.
Text AddedAddressLines(const CProfileData& profile);
// The DNS servers: manual (both, preferred only, none; then the added
// ones) or automatic.
Text DnsLines(const CProfileData& profile, DnsLabels labels);
// "  この接続のDNSサフィックス：corp.example", or nothing without one.
Text SuffixLine(const CProfileData& profile);

// The recorded network's parts, one indented line each
// ("  ゲートウェイのMACアドレス：00:00:5E:00:53:0B"); nothing for a part not recorded.
Text RecordedNetworkLines(const RecordedNetwork& network);
// "ネットワークの記録と自動適用\r\n", the recorded network and when the
// profile is applied by itself; nothing for a profile with neither.
Text NetworkSection(const CProfileData& profile);

// One line for a list of profiles: "DHCP", or the fixed address and mask
// ("固定IP 192.168.1.10/255.255.255.0").
Text AddressSummary(const CProfileData& profile);

// "Internet Explorerプロキシ設定\r\n".
Text ProxyHeading();
// The proxy details as used when a switch sets the proxy: the automatic
// configuration script, the server lines (Gopher only with Internet
// Explorer 6) and, when a server line was written, the exceptions and the
// local-address bypass.
Text ProxyDetailLines(const CProfileData& profile, int32_t ieMajorVersion);
// The heading and, by proxyMode, no proxy (0), the details (2) or unchanged.
Text ProxySection(const CProfileData& profile, int32_t ieMajorVersion);
// "ネットワーク接続確認\r\n" and the checks that are on, or "  なし".
Text CheckSection(const CProfileData& profile);
// The application started after a switch, or "  なし".
Text ApplicationSection(const CProfileData& profile);
// The default printer set by a switch, or "  なし".
Text PrinterSection(const CProfileData& profile);

}  // namespace description

// The tooltip of a profile's jump-list task: connection (cut), TCP/IP, DNS.
Text ComposeTaskDescription(const CProfileData& profile);
// The wizard's confirmation summary: TCP/IP, network, proxy, checks, application, printer.
Text ComposeProfileSummary(const CProfileData& profile, int32_t ieMajorVersion);
// The main dialog's description: connection, adapter, then the summary.
Text ComposeProfileDescription(const CProfileData& profile, int32_t ieMajorVersion);
// The proxy page's summary: the heading and the proxy details.
Text ComposeProxySummary(const CProfileData& profile, int32_t ieMajorVersion);
