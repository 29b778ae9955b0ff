#pragma once
// What the TCP/IP page's advanced dialog does to a profile's additions:
// an entry typed into its fields is added or changes a listed one only
// when it is complete and the TCP/IP page's rules (AdditionRules) pass for
// the additions with it; entries are removed and moved up and down; each
// list holds at most its limit (extension::kMax...).
#include <cstddef>
#include <cstdint>

#include "framework/Text.h"
#include "profile/ProfileExtension.h"
#include "wizard/AdditionRules.h"
#include "wizard/TcpPageRules.h"

namespace additionediting {

enum class List { Addresses, Gateways, DnsServers };

// The position of an entry not yet in its list (it would come last).
inline constexpr std::size_t kNewEntry = static_cast<std::size_t>(-1);
// The metric field takes up to 4 digits (1..9999).
inline constexpr std::size_t kMetricDigits = 4;

// What the dialog's fields of a list hold: an address (a gateway, a DNS
// server) and, for an address, its mask; for a gateway, the metric as typed.
struct EntryInput {
    tcppage::AddressField address;
    tcppage::AddressField mask;
    Text metric;
};

// One entry's values: its address and its mask (addresses) or metric
// (gateways); 0 for a DNS server.
struct Entry {
    uint32_t address = 0;
    uint32_t second = 0;
};

std::size_t Count(const ProfileExtension& additions, List list);
std::size_t Limit(List list);
Entry EntryAt(const ProfileExtension& additions, List list, std::size_t index);

// Puts the typed entry at `index` of `list` (kNewEntry: after the last)
// once every field of it is complete and CheckAdditions passes for the
// additions with it, against the TCP/IP page's values `tcp`; otherwise
// `additions` stays as it was and the refusal names the entry (the new
// one at the position it would have taken) and its part.
additionrules::AdditionCheck Place(const tcppage::TcpValues& tcp, ProfileExtension& additions, List list,
                                   std::size_t index, const EntryInput& input);

// Removes the entry; false when there is none at `index`.
bool Remove(ProfileExtension& additions, List list, std::size_t index);
// Swaps the entry with its neighbour above (step -1) or below (+1); its new
// position, or `index` when it cannot move.
std::size_t Move(ProfileExtension& additions, List list, std::size_t index, int step);

}  // namespace additionediting
