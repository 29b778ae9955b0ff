#include <gtest/gtest.h>

#include "resources/resource.h"
#include "wizard/AdditionEditing.h"
#include "wizard/AdditionRules.h"
#include "wizard/AddressRules.h"
#include "wizard/TcpPageRules.h"

namespace {

using tcppage::AddressField;
using tcppage::TcpInput;
using tcppage::TcpValues;

constexpr uint32_t A(uint32_t a, uint32_t b, uint32_t c, uint32_t d) { return a << 24 | b << 16 | c << 8 | d; }
AddressField Full(uint32_t value) { return AddressField{value, 4}; }
AddressField Partial(uint32_t value, int filled) { return AddressField{value, filled}; }
const AddressField kBlank{};

TEST(AddressRules, MaskFromTheAddressClass) {
    const struct {
        int first;
        bool suggests;
        uint32_t mask;
    } cases[] = {
        {10, true, A(255, 0, 0, 0)},      {1, true, A(255, 0, 0, 0)},         {127, true, A(255, 0, 0, 0)},
        {128, true, A(255, 255, 0, 0)},   {172, true, A(255, 255, 0, 0)},     {191, true, A(255, 255, 0, 0)},
        {192, true, A(255, 255, 255, 0)}, {223, true, A(255, 255, 255, 0)},   {0, false, A(1, 2, 3, 4)},
        {224, false, A(1, 2, 3, 4)},      {255, false, A(1, 2, 3, 4)},
    };
    for (const auto& c : cases) {
        uint32_t mask = A(1, 2, 3, 4);  // what the mask control held before
        EXPECT_EQ(addressrules::MaskFromClass(c.first, &mask), c.suggests) << c.first;
        EXPECT_EQ(mask, c.mask) << c.first;
    }
}

TEST(AddressRules, MaskIsOneUnbrokenRunOfOnesFromTheTop) {
    const struct {
        uint32_t mask;
        bool valid;
    } cases[] = {
        {A(255, 255, 255, 0), true}, {A(255, 255, 255, 252), true}, {A(128, 0, 0, 0), true},
        {A(255, 0, 255, 0), false},  {0, false},                     {A(255, 255, 255, 255), false},
        {A(0, 255, 255, 255), false}, {A(255, 255, 255, 1), false},
    };
    for (const auto& c : cases) EXPECT_EQ(addressrules::IsValidMask(c.mask), c.valid) << std::hex << c.mask;
}

TEST(AddressRules, FirstFieldOutsideLoopbackAndMulticast) {
    for (uint32_t first : {0u, 1u, 126u, 128u, 223u}) EXPECT_TRUE(addressrules::IsFirstFieldAllowed(A(first, 1, 2, 3)));
    for (uint32_t first : {127u, 224u, 255u}) EXPECT_FALSE(addressrules::IsFirstFieldAllowed(A(first, 1, 2, 3)));
}

// A fixed address with hand-set DNS that passes every check.
TcpInput Valid() {
    TcpInput in;
    in.fixedIp = true;
    in.dnsByHand = true;
    in.address = Full(A(192, 168, 1, 10));
    in.mask = Full(A(255, 255, 255, 0));
    in.gateway = Full(A(192, 168, 1, 1));
    in.preferredDns = Full(A(192, 168, 1, 2));
    in.alternateDns = Full(A(192, 168, 1, 3));
    return in;
}

TEST(TcpPageRules, EachCheckOfNextWithItsMessageAndFocus) {
    const struct {
        const char* step;
        void (*change)(TcpInput&);
        int message, focus;
    } cases[] = {
        {"1 address incomplete", [](TcpInput& in) { in.address = Partial(A(192, 168, 1, 0), 3); }, IDS_BAD_IP, IDC_TCP_IP_ADDRESS},
        {"2 address loopback", [](TcpInput& in) { in.address = Full(A(127, 0, 0, 1)); }, IDS_IP_FIRST_FIELD, IDC_TCP_IP_ADDRESS},
        {"2 address multicast", [](TcpInput& in) { in.address = Full(A(224, 0, 0, 1)); }, IDS_IP_FIRST_FIELD, IDC_TCP_IP_ADDRESS},
        {"3 mask incomplete", [](TcpInput& in) { in.mask = Partial(A(255, 255, 0, 0), 2); }, IDS_BAD_MASK, IDC_TCP_SUBNET_MASK},
        {"4 mask broken", [](TcpInput& in) { in.mask = Full(A(255, 0, 255, 0)); }, IDS_BAD_MASK, IDC_TCP_SUBNET_MASK},
        {"5 gateway partly", [](TcpInput& in) { in.gateway = Partial(A(192, 168, 0, 0), 2); }, IDS_BAD_GATEWAY, IDC_TCP_GATEWAY},
        {"6 preferred partly", [](TcpInput& in) { in.preferredDns = Partial(A(8, 0, 0, 0), 1); }, IDS_BAD_DNS1, IDC_TCP_PREFERRED_DNS},
        {"7 preferred loopback", [](TcpInput& in) { in.preferredDns = Full(A(127, 0, 0, 53)); }, IDS_DNS1_FIRST_FIELD, IDC_TCP_PREFERRED_DNS},
        {"8 alternate partly", [](TcpInput& in) { in.alternateDns = Partial(A(8, 8, 8, 0), 3); }, IDS_BAD_DNS2, IDC_TCP_ALTERNATE_DNS},
        {"9 alternate reserved", [](TcpInput& in) { in.alternateDns = Full(A(230, 0, 0, 1)); }, IDS_DNS2_FIRST_FIELD, IDC_TCP_ALTERNATE_DNS},
        {"10 same servers", [](TcpInput& in) { in.alternateDns = in.preferredDns; }, IDS_DNS_SAME, IDC_TCP_ALTERNATE_DNS},
        {"11 host part zero", [](TcpInput& in) { in.address = Full(A(192, 168, 1, 0)); }, IDS_BAD_IP, IDC_TCP_IP_ADDRESS},
        {"11 broadcast", [](TcpInput& in) { in.address = Full(A(192, 168, 1, 255)); }, IDS_BAD_IP, IDC_TCP_IP_ADDRESS},
        {"12 gateway host part zero", [](TcpInput& in) { in.gateway = Full(A(192, 168, 1, 0)); }, IDS_BAD_GATEWAY, IDC_TCP_GATEWAY},
        {"12 gateway broadcast", [](TcpInput& in) { in.gateway = Full(A(192, 168, 1, 255)); }, IDS_BAD_GATEWAY, IDC_TCP_GATEWAY},
        {"13 gateway is the address", [](TcpInput& in) { in.gateway = in.address; }, IDS_IP_GATEWAY_SAME, IDC_TCP_GATEWAY},
        {"DNS steps come before 11",
         [](TcpInput& in) {
             in.address = Full(A(192, 168, 1, 0));
             in.preferredDns = Partial(A(8, 0, 0, 0), 1);
         },
         IDS_BAD_DNS1, IDC_TCP_PREFERRED_DNS},
        {"a lone alternate moves before 10",
         [](TcpInput& in) {
             in.preferredDns = kBlank;
             in.alternateDns = Full(A(192, 168, 1, 3));
         },
         0, 0},
    };
    for (const auto& c : cases) {
        TcpInput in = Valid();
        c.change(in);
        const tcppage::TcpCheck check = tcppage::CheckTcpPage(in);
        EXPECT_EQ(check.messageId, c.message) << c.step;
        EXPECT_EQ(check.focusId, c.focus) << c.step;
    }
}

TEST(TcpPageRules, PassingNextStoresCompleteValuesAndMovesALoneAlternate) {
    TcpInput in = Valid();
    EXPECT_EQ(tcppage::CheckTcpPage(in).values,
              (TcpValues{1, A(192, 168, 1, 10), A(255, 255, 255, 0), A(192, 168, 1, 1), 1, A(192, 168, 1, 2),
                         A(192, 168, 1, 3)}));
    // Blank gateway and DNS controls are allowed and store 0.
    in.gateway = in.preferredDns = kBlank;
    EXPECT_EQ(tcppage::CheckTcpPage(in).values,
              (TcpValues{1, A(192, 168, 1, 10), A(255, 255, 255, 0), 0, 1, A(192, 168, 1, 3), 0}));
    in.alternateDns = kBlank;
    EXPECT_TRUE(tcppage::CheckTcpPage(in).Passed());
    EXPECT_EQ(tcppage::CheckTcpPage(in).values.preferredDns, 0u);
}

TEST(TcpPageRules, SkippedControlsAreStillStoredWhenComplete) {
    TcpInput in = Valid();
    in.fixedIp = false;
    in.dnsByHand = false;
    in.address = Full(A(127, 0, 0, 1));         // no check with DHCP
    in.mask = Partial(A(255, 255, 0, 0), 2);     // half-typed: 0
    in.preferredDns = Full(A(192, 168, 1, 3));  // no DNS move when automatic
    in.alternateDns = Full(A(192, 168, 1, 3));
    const tcppage::TcpCheck check = tcppage::CheckTcpPage(in);
    EXPECT_TRUE(check.Passed());
    EXPECT_EQ(check.values,
              (TcpValues{0, A(127, 0, 0, 1), 0, A(192, 168, 1, 1), 0, A(192, 168, 1, 3), A(192, 168, 1, 3)}));
}

TEST(TcpPageRules, BackStoresWhatIsTypedWithoutChecks) {
    TcpInput in = Valid();
    in.address = Partial(A(192, 168, 0, 0), 2);
    in.alternateDns = in.preferredDns;
    EXPECT_EQ(tcppage::ValuesAsTyped(in),
              (TcpValues{1, A(192, 168, 0, 0), A(255, 255, 255, 0), A(192, 168, 1, 1), 1, A(192, 168, 1, 2),
                         A(192, 168, 1, 2)}));
}

// Against 192.168.1.10/24, gateway .1, DNS .2 and .3 (more rules in the
// import's table of profile_file_test: mask, twice, in no subnet).
TEST(AdditionRules, EachRuleWithItsMessageAndTheEntryItRefuses) {
    using additionrules::Part;
    const tcppage::TcpValues page{1, A(192, 168, 1, 10), A(255, 255, 255, 0), A(192, 168, 1, 1), 1, A(192, 168, 1, 2), A(192, 168, 1, 3)};
    const ProfileExtension valid{{{A(10, 0, 0, 5), A(255, 0, 0, 0)}}, {{A(10, 0, 0, 1), 20}}, {A(10, 0, 0, 53)}, u"corp.example", ""};
    const struct {
        void (*change)(ProfileExtension&);
        int message;
        Part part;
        std::size_t index;
    } cases[] = {
        {[](ProfileExtension&) {}, 0, Part::None, 0},
        {[](ProfileExtension& e) { e.moreGateways.push_back({A(192, 168, 1, 254), 1}); }, 0, Part::None, 0},
        {[](ProfileExtension& e) { e.moreAddresses[0].ipAddress = A(127, 0, 0, 5); }, IDS_IP_FIRST_FIELD, Part::Address, 0},
        {[](ProfileExtension& e) { e.moreAddresses[0].ipAddress = A(10, 255, 255, 255); }, IDS_BAD_IP, Part::Address, 0},
        {[](ProfileExtension& e) { e.moreGateways[0].metric = 10000; }, IDS_BAD_METRIC, Part::Metric, 0},
        {[](ProfileExtension& e) { e.moreGateways[0].defaultGateway = A(10, 0, 0, 0); }, IDS_BAD_GATEWAY, Part::Gateway, 0},
        {[](ProfileExtension& e) { e.moreGateways[0].defaultGateway = A(10, 0, 0, 5); }, IDS_IP_GATEWAY_SAME, Part::Gateway, 0},
        {[](ProfileExtension& e) { e.moreGateways.push_back({A(192, 168, 1, 1), 5}); }, IDS_GATEWAY_TWICE, Part::Gateway, 1},
        {[](ProfileExtension& e) { e.moreDnsServers[0] = A(224, 0, 0, 53); }, IDS_MORE_DNS_FIRST_FIELD, Part::DnsServer, 0},
        {[](ProfileExtension& e) { e.moreDnsServers.push_back(0); }, IDS_BAD_MORE_DNS, Part::DnsServer, 1},
        {[](ProfileExtension& e) { e.dnsSuffix = u"corp..example"; }, IDS_BAD_SUFFIX, Part::Suffix, 0},
    };
    for (const auto& c : cases) {
        ProfileExtension e = valid;
        c.change(e);
        const additionrules::AdditionCheck check = additionrules::CheckAdditions(page, e);
        EXPECT_EQ(check.messageId, c.message) << &c - cases;
        EXPECT_TRUE(check.part == c.part && check.index == c.index) << &c - cases;
    }
    tcppage::TcpValues dhcp = page;
    dhcp.ipMode = dhcp.dnsMode = 0;  // what the modes leave unused is not judged
    EXPECT_TRUE(additionrules::CheckAdditions(dhcp, {{{A(127, 0, 0, 5), 1}}, {{A(8, 0, 0, 1), 0}}, {A(127, 0, 0, 1)}, u"", ""}).Passed());
    EXPECT_EQ(additionrules::UsedAdditions(dhcp, valid), (ProfileExtension{{}, {}, {}, u"corp.example", ""}));
    EXPECT_EQ(additionrules::UsedAdditions(page, valid), valid);
    tcppage::TcpValues preferredOnly = page;
    preferredOnly.alternateDns = 0;
    EXPECT_EQ(additionrules::CheckAdditions(preferredOnly, valid).messageId, IDS_MORE_DNS_AFTER_TWO);
}

// The advanced dialog's entries against the page's 192.168.1.10/24: only a
// complete entry that the rules pass is placed; removed and moved in place.
TEST(AdditionEditing, PlacesCompleteEntriesTheRulesPassRemovesAndMoves) {
    using additionediting::List;
    const TcpValues page{1, A(192, 168, 1, 10), A(255, 255, 255, 0), 0, 1, A(192, 168, 1, 2), A(192, 168, 1, 3)};
    const std::size_t last = additionediting::kNewEntry;
    ProfileExtension e;
    const auto entry = [](AddressField address, AddressField mask, const char16_t* metric = u"") {
        return additionediting::EntryInput{address, mask, metric};
    };
    EXPECT_EQ(Place(page, e, List::Addresses, last, entry(Full(A(10, 0, 0, 5)), Partial(0, 2))).messageId, IDS_BAD_MASK);
    EXPECT_EQ(Place(page, e, List::Gateways, last, entry(Partial(A(10, 0, 0, 1), 3), kBlank, u"5")).messageId, IDS_BAD_GATEWAY);
    EXPECT_EQ(Place(page, e, List::DnsServers, last, entry(kBlank, kBlank)).messageId, IDS_BAD_MORE_DNS);
    EXPECT_EQ(Place(page, e, List::Gateways, last, entry(Full(A(10, 0, 0, 1)), kBlank, u"5")).messageId, IDS_GATEWAY_OUTSIDE);
    EXPECT_TRUE(e.Empty()) << "a refused entry changes nothing";
    ASSERT_TRUE(Place(page, e, List::Addresses, last, entry(Full(A(10, 0, 0, 5)), Full(A(255, 0, 0, 0)))).Passed());
    ASSERT_TRUE(Place(page, e, List::Gateways, last, entry(Full(A(10, 0, 0, 1)), kBlank, u"20")).Passed());
    ASSERT_TRUE(Place(page, e, List::Gateways, last, entry(Full(A(192, 168, 1, 254)), kBlank, u"30")).Passed());
    EXPECT_EQ(Place(page, e, List::Gateways, 1, entry(Full(A(192, 168, 1, 254)), kBlank, u"")).messageId, IDS_BAD_METRIC);
    ASSERT_TRUE(Place(page, e, List::Gateways, 1, entry(Full(A(192, 168, 1, 253)), kBlank, u"40")).Passed());
    EXPECT_EQ(additionediting::Move(e, List::Gateways, 1, -1), 0u);
    EXPECT_EQ(additionediting::Move(e, List::Gateways, 0, -1), 0u) << "the first stays first";
    EXPECT_EQ(e.moreGateways, (std::vector<AddedGateway>{{A(192, 168, 1, 253), 40}, {A(10, 0, 0, 1), 20}}));
    EXPECT_TRUE(additionediting::Remove(e, List::Addresses, 0));
    EXPECT_FALSE(additionediting::Remove(e, List::Addresses, 0));
}

TEST(AdditionRules, ADnsSuffixIsLettersDigitsHyphensAndDotsInLabelsOfUpTo63AndUpTo255InAll) {
    const Text label(63, u'a'), longest = label + u"." + label + u"." + label + u"." + label;
    for (const Text& good : {Text(u"lab-2.corp.example"), Text(u"X1"), longest}) EXPECT_TRUE(extension::IsDnsSuffix(good));
    for (const Text& bad : {Text(u""), Text(u".corp"), Text(u"corp."), Text(u"-corp"), Text(u"co rp"), Text(u"例え.jp"),
                            label + u"a", longest + u".a"})
        EXPECT_FALSE(extension::IsDnsSuffix(bad)) << text::ToUtf8(bad);
}

}  // namespace
