#pragma once
// The text forms of a profile: the main window's description and the
// shorter summary shown as a jump-list task's tooltip. Every line ends in
// "\r\n"; each section below is one piece of the text, so the two forms
// share them.
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
// "TCP/IP設定\r\n", the address method and the DNS servers.
Text TcpIpSection(const CProfileData& profile, DnsLabels labels);
// The address method: fixed address (with or without gateway) or DHCP.
Text AddressMethodLines(const CProfileData& profile);
// The DNS servers: manual (both, preferred only, none) or automatic.
Text DnsLines(const CProfileData& profile, DnsLabels labels);

}  // namespace description

// The tooltip of a profile's jump-list task: connection (cut), TCP/IP, DNS.
Text ComposeTaskDescription(const CProfileData& profile);
