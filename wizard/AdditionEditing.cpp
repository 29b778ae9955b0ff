#include "wizard/AdditionEditing.h"

#include <utility>

#include "resources/resource.h"

namespace additionediting {

namespace {

using additionrules::AdditionCheck;
using additionrules::Part;

constexpr int kAllFields = 4;

// Calls `use` with the entries of `list`.
template <typename Extension, typename Use>
auto WithList(Extension& e, List list, Use use) {
    switch (list) {
        case List::Addresses: return use(e.moreAddresses);
        case List::Gateways: return use(e.moreGateways);
        default: return use(e.moreDnsServers);
    }
}

bool Complete(const tcppage::AddressField& f) { return f.filled == kAllFields; }

// The fields' first incomplete address, as the TCP/IP page names it.
AdditionCheck Incomplete(List list, const EntryInput& in, std::size_t index) {
    if (list == List::Addresses && !Complete(in.address)) return AdditionCheck{IDS_BAD_IP, Part::Address, index};
    if (list == List::Addresses && !Complete(in.mask)) return AdditionCheck{IDS_BAD_MASK, Part::Mask, index};
    if (list == List::Gateways && !Complete(in.address)) return AdditionCheck{IDS_BAD_GATEWAY, Part::Gateway, index};
    if (list == List::DnsServers && !Complete(in.address))
        return AdditionCheck{IDS_BAD_MORE_DNS, Part::DnsServer, index};
    return AdditionCheck();
}

// The entry of the fields put at `index` of its list (at its end when past it).
void PutEntry(ProfileExtension& e, List list, std::size_t index, const EntryInput& in) {
    const int32_t metric = text::ReadDecimal(in.metric);
    const auto put = [index](auto& entries, auto entry) {
        if (index < entries.size()) entries[index] = entry;
        else entries.push_back(entry);
    };
    switch (list) {
        case List::Addresses: put(e.moreAddresses, AddedAddress{in.address.value, in.mask.value}); break;
        case List::Gateways:
            put(e.moreGateways, AddedGateway{in.address.value, metric > 0 ? static_cast<uint32_t>(metric) : 0});
            break;
        default: put(e.moreDnsServers, in.address.value); break;
    }
}

}  // namespace

std::size_t Count(const ProfileExtension& e, List list) {
    return WithList(e, list, [](const auto& entries) { return entries.size(); });
}

std::size_t Limit(List list) {
    switch (list) {
        case List::Addresses: return extension::kMaxMoreAddresses;
        case List::Gateways: return extension::kMaxMoreGateways;
        default: return extension::kMaxMoreDnsServers;
    }
}

Entry EntryAt(const ProfileExtension& e, List list, std::size_t index) {
    if (index >= Count(e, list)) return Entry();
    switch (list) {
        case List::Addresses: return Entry{e.moreAddresses[index].ipAddress, e.moreAddresses[index].subnetMask};
        case List::Gateways: return Entry{e.moreGateways[index].defaultGateway, e.moreGateways[index].metric};
        default: return Entry{e.moreDnsServers[index], 0};
    }
}

AdditionCheck Place(const tcppage::TcpValues& tcp, ProfileExtension& additions, List list, std::size_t index,
                    const EntryInput& input) {
    const std::size_t count = Count(additions, list);
    const std::size_t at = index < count ? index : count;
    if (at == count && count >= Limit(list)) return AdditionCheck{IDS_INTERNAL_ERROR, Part::None, at};
    const AdditionCheck incomplete = Incomplete(list, input, at);
    if (!incomplete.Passed()) return incomplete;
    ProfileExtension candidate = additions;
    PutEntry(candidate, list, at, input);
    const AdditionCheck check = additionrules::CheckAdditions(tcp, candidate);
    if (check.Passed()) additions = std::move(candidate);
    return check;
}

bool Remove(ProfileExtension& additions, List list, std::size_t index) {
    return WithList(additions, list, [index](auto& entries) {
        if (index >= entries.size()) return false;
        entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(index));
        return true;
    });
}

std::size_t Move(ProfileExtension& additions, List list, std::size_t index, int step) {
    return WithList(additions, list, [index, step](auto& entries) {
        const std::size_t other = index + static_cast<std::size_t>(step);  // wraps past 0: out of range
        if (index >= entries.size() || other >= entries.size()) return index;
        std::swap(entries[index], entries[other]);
        return other;
    });
}

}  // namespace additionediting
