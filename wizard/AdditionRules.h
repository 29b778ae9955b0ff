#pragma once
// The TCP/IP page's rules for a profile's additions (its further addresses,
// gateways and DNS servers and its suffix), for the dialog that edits them
// and for profiles that never pass through the wizard (an import). The
// counts are the dialog's to keep (extension::kMax...): nothing here counts.
#include "profile/ProfileExtension.h"
#include "wizard/TcpPageRules.h"

namespace additionrules {

// The entry a refusal is about: which of its values, and its position in
// its list (0 for the suffix).
enum class Part { None, Address, Mask, Gateway, Metric, DnsServer, Suffix };

struct AdditionCheck {
    int messageId = 0;  // string-table id; 0 passed
    Part part = Part::None;
    std::size_t index = 0;

    bool Passed() const { return messageId == 0; }
};

// The first addition the TCP/IP page's rules refuse, against the page's
// values `tcp`:
//  - with a fixed address, each added address: a valid mask, a first field
//    the page allows, valid for its mask (not the network or its broadcast),
//    and no address twice (the page's own address included);
//  - each added gateway: a metric of 1..9999, inside one of the profile's
//    subnets and not its network or broadcast address, none of the
//    profile's addresses, and no gateway twice (the page's own included);
//  - with DNS servers by hand, added servers only after a preferred and
//    an alternate one, and each of them: not 0.0.0.0, a first field the
//    page allows, and no server twice (preferred and alternate included);
//  - the suffix: empty or a DNS name (extension::IsDnsSuffix).
// Additions that the modes leave unused (addresses and gateways of a DHCP
// profile, servers of automatic DNS) are not judged.
AdditionCheck CheckAdditions(const tcppage::TcpValues& tcp, const ProfileExtension& additions);

// The additions that the page's modes use: without a fixed address no
// added address or gateway, without DNS servers by hand no added server.
ProfileExtension UsedAdditions(const tcppage::TcpValues& tcp, ProfileExtension additions);

}  // namespace additionrules
