#pragma once
// A new profile starts from the TCP/IP configuration in force on the chosen
// adapter: its DHCP flag, first address, mask and gateway, and the system's
// DNS servers, turned into the profile's TCP/IP fields.
#include <cstdint>
#include <vector>

#include "framework/Text.h"
#include "profile/ProfileExtension.h"
#include "profile/ProfileRecord.h"

namespace currenttcpip {

// The adapter whose MAC text the profile names, as the system lists it.
// Addresses carry the first octet in the most significant byte; 0 where the
// system holds none or the text is not an address.
struct AdapterValues {
    bool found = false;
    bool dhcpEnabled = false;
    uint32_t address = 0;  // first entry of its IP address list
    uint32_t mask = 0;     // mask of that entry
    uint32_t gateway = 0;  // first entry of its gateway list
};

// The adapter's "NameServer" registry value: read and empty (DNS obtained
// automatically), read and set, or unreadable.
enum class NameServer { Empty, Set, Unreadable };

struct DnsValues {
    NameServer nameServer = NameServer::Unreadable;
    std::vector<uint32_t> servers;  // the system's DNS servers, in order
};

// Fills ipMode, ipAddress, subnetMask, defaultGateway and, when `dns` is
// given, dnsMode, preferredDns and alternateDns. Without `dns` (the system's
// network parameters could not be read) the filling ends after the address.
// A fixed adapter without address and mask counts as having no address:
// once the DNS part is filled, the profile uses DHCP and automatic DNS.
void FillTcpipFields(ProfileRecord& record, const AdapterValues& adapter, const DnsValues* dns);

// Everything the adapter holds (GetAdaptersAddresses): every address with
// its mask, every gateway with the metric of its default route (0 when it
// has none: the automatic metric), every DNS server, its DNS suffix.
struct AdapterAdditions {
    std::vector<AddedAddress> addresses;
    std::vector<AddedGateway> gateways;
    std::vector<uint32_t> dnsServers;
    Text dnsSuffix;
};

// The profile's additions from what the adapter holds beyond the record's
// TCP/IP fields, once those are filled: with a fixed address the other
// addresses and gateways (a metric outside 1..9999 becomes 1) and the
// suffix (a DHCP connection's suffix is the DHCP server's, which the
// profile gets from it anyway); with DNS servers by hand, preferred and
// alternate given, the other servers. Each list up to its limit; what a
// kind does not take stays empty.
void FillAdditions(const ProfileRecord& record, const AdapterAdditions& adapter, ProfileExtension& extension);

}  // namespace currenttcpip
