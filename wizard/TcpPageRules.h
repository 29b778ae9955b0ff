#pragma once
// The TCP/IP settings of a profile as the TCP/IP page edits them: the
// checks of Next, in their order, and the values stored afterwards.
// Portable, so that profiles that never pass through the wizard can be
// judged by the same rules.
#include <cstdint>

#include "profile/ProfileRecord.h"

namespace tcppage {

// What one IP address control reports: its value (blank fields count 0)
// and how many of its four fields are filled.
struct AddressField {
    uint32_t value = 0;
    int filled = 0;
};

// The page's seven inputs.
struct TcpInput {
    bool fixedIp = false;    // "固定IP" rather than "DHCP"
    bool dnsByHand = false;  // "次のDNSサーバを使用する" rather than "自動的に取得する"
    AddressField address, mask, gateway, preferredDns, alternateDns;
};

// The TCP/IP fields of a profile record.
struct TcpValues {
    uint8_t ipMode = 0;  // 1 fixed address, 0 DHCP
    uint32_t ipAddress = 0;
    uint32_t subnetMask = 0;
    uint32_t defaultGateway = 0;
    uint8_t dnsMode = 0;  // 1 by hand, 0 automatic
    uint32_t preferredDns = 0;
    uint32_t alternateDns = 0;

    bool operator==(const TcpValues& o) const;
};

// The outcome of Next: the first failing check's message (string-table id)
// and the control to focus, or messageId 0 and the values to store.
struct TcpCheck {
    int messageId = 0;
    int focusId = 0;
    TcpValues values;

    bool Passed() const { return messageId == 0; }
};

// The thirteen checks of Next. Values of incomplete controls store 0; with
// DNS by hand, a lone alternate server becomes the preferred one.
TcpCheck CheckTcpPage(const TcpInput& input);

// Back: the controls' values as they are, half-typed ones included.
TcpValues ValuesAsTyped(const TcpInput& input);

void WriteTcpValues(const TcpValues& values, ProfileRecord& record);
TcpValues ReadTcpValues(const ProfileRecord& record);

}  // namespace tcppage
