#include <gtest/gtest.h>

#include "switching/AutoSwitch.h"
#include "switching/ProfileInForce.h"
#include "tests/native/Ip.h"
#include "tests/native/NamedProfile.h"

namespace {

const Text kLan = u"00:00:5E:00:53:10";
const RecordedNetwork kSiteA{u"00:00:5E:00:53:0A", u"site-a.example", u""};
const RecordedNetwork kSiteB{u"00:00:5E:00:53:0B", u"", u""};

// The laptop's connection: DHCP (no address yet for 0), or fixed with its gateway.
ConnectionState Dhcp(uint32_t address, const RecordedNetwork& network, std::vector<uint32_t> dns = {}) {
    std::vector<AddressWithMask> addresses;
    if (address != 0) addresses = {{address, Ip(255, 255, 255, 0)}};
    return {kLan, true, true, addresses, {}, std::move(dns), network};
}

ConnectionState Fixed(uint32_t address, uint32_t gateway, std::vector<uint32_t> dns, const RecordedNetwork& network) {
    ConnectionState c = Dhcp(address, network, std::move(dns));
    c.dhcp = false;
    c.gateways = {gateway};
    return c;
}

// DHCP, or fixed on 198.51.100.10/24 with gateway .1 and `dns` as its one DNS server.
CProfileData Profile(const char16_t* name, bool fixed, uint32_t dns = 0) {
    CProfileData p = NamedProfile(name);
    p.SetText(ProfileText::macAddress, kLan);
    ProfileRecord& r = p.Record();
    r.ipMode = r.dnsMode = fixed ? 1 : 0;
    r.ipAddress = Ip(198, 51, 100, 10);
    r.subnetMask = Ip(255, 255, 255, 0);
    r.defaultGateway = Ip(198, 51, 100, 1);
    r.preferredDns = dns;
    return p;
}

// Fixed profiles by their addresses, gateways and DNS servers (a second one
// that differs only in DNS is not in force); DHCP profiles by DHCP and the
// network they recorded; one of several only when it was applied last.
TEST(ProfileInForce, WhatIsInForceOnTheConnectionNow) {
    const CProfileData officeB = Profile(u"B", true, Ip(198, 51, 100, 53)), otherDns = Profile(u"B2", true, Ip(198, 51, 100, 54));
    const CProfileData siteA = Profile(u"A", false), anywhere = Profile(u"Any", false);
    const ConnectionState onB = Fixed(Ip(198, 51, 100, 10), Ip(198, 51, 100, 1), {Ip(198, 51, 100, 53)}, kSiteB);
    const ConnectionState onA = Dhcp(Ip(192, 0, 2, 100), kSiteA);
    const struct {
        const char* what;
        const CProfileData& profile;
        RecordedNetwork recorded;
        ConnectionState connection;
        bool inForce;
    } rows[] = {
        {"fixed: all its values", officeB, {}, onB, true},
        {"fixed: another DNS server", otherDns, {}, onB, false},
        {"fixed on a DHCP connection", officeB, {}, onA, false},
        {"DHCP without a recorded network", anywhere, {}, onA, true},
        {"DHCP on its recorded network", siteA, kSiteA, onA, true},
        {"DHCP on another network", siteA, kSiteB, onA, false},
        {"DHCP without an address", anywhere, {}, Dhcp(0, {}), false},
        {"DHCP with a made-up address", anywhere, {}, Dhcp(Ip(169, 254, 3, 4), {}), false},
        {"DHCP on a fixed connection", anywhere, {}, onB, false},
    };
    for (const auto& row : rows) {
        CProfileData profile = row.profile;
        profile.Extension().network = row.recorded;
        EXPECT_EQ(row.inForce, IsInForce(profile, row.connection)) << row.what;
    }

    std::vector<CProfileData> both = {siteA, anywhere};
    both[0].Record().profileId = 1;
    both[1].Record().profileId = 2;
    EXPECT_EQ(-1, ProfileInForce(both, {onA}, 0)) << "two match: no telling";
    EXPECT_EQ(1, ProfileInForce(both, {onA}, 2)) << "the one applied last";
    both[0].Extension().network = kSiteA;
    both[1].Extension().network = kSiteB;
    EXPECT_EQ(0, ProfileInForce(both, {onA}, 0)) << "only one on its network";
}

// The watcher on the laptop. Site A: an automatic DHCP profile with a proxy
// of its own (1) and a DHCP fall-back for a lost gateway (2); site B: a
// fixed fall-back for no DHCP server (3).
struct Laptop {
    CAutoSwitch watcher;
    std::vector<AutoCandidate> profiles = {{1, kLan, true, ProfileExtension::Fallback::None, kSiteA, false},
                                           {2, kLan, false, ProfileExtension::Fallback::GatewayLost, {}, false},
                                           {3, kLan, false, ProfileExtension::Fallback::NoDhcp, {}, false}};
    // A look at `state` with profile `inForce` in force (0: none).
    int32_t Look(const ConnectionState& state, int32_t inForce, uint64_t nowMs, bool gatewayAnswers = true,
                 bool switching = false) {
        for (AutoCandidate& p : profiles) p.inForce = p.profileId == inForce;
        return watcher.Look({{state, gatewayAnswers}}, profiles, nowMs, switching);
    }
    void Switch(uint64_t startMs, uint64_t endMs, bool automatic = true) {
        watcher.SwitchStarted(kLan, automatic, startMs);
        watcher.SwitchEnded(endMs);
    }
};

TEST(AutoSwitch, FromSiteAToSiteBAndBackWithAtMostTwoSwitchesForOneChange) {
    Laptop laptop;
    const ConnectionState onA = Dhcp(Ip(192, 0, 2, 100), kSiteA), madeUp = Dhcp(Ip(169, 254, 7, 7), {});
    EXPECT_EQ(0, laptop.Look(onA, 1, 1000)) << "A's own profile is in force";
    // To site B: no DHCP server; Windows makes an address up.
    EXPECT_EQ(3, laptop.Look(madeUp, 1, 2000));
    laptop.watcher.SwitchStarted(kLan, true, 2000);
    EXPECT_EQ(0, laptop.Look(madeUp, 1, 3000, true, true)) << "never while a switch runs";
    laptop.watcher.SwitchEnded(8000);
    const ConnectionState onB = Fixed(Ip(198, 51, 100, 10), Ip(198, 51, 100, 1), {}, kSiteB);
    EXPECT_EQ(0, laptop.Look(onB, 3, 9000)) << "the switch's own change";
    // Back to site A with B's fixed address soon after (B's network had
    // settled: a change of its own): the gateway does not answer.
    const ConnectionState fixedOnA = Fixed(Ip(198, 51, 100, 10), Ip(198, 51, 100, 1), {}, {});
    laptop.Look(fixedOnA, 3, 12000);
    EXPECT_EQ(2, laptop.Look(fixedOnA, 3, 13000, false));
    laptop.Switch(13000, 19000);
    // The lease comes (the switch's own doing): A's own profile, a second switch.
    EXPECT_EQ(1, laptop.Look(onA, 2, 20000));
    laptop.Switch(20000, 26000);
    // A third for the same change never: say A's profile did not take.
    EXPECT_EQ(0, laptop.Look(onA, 2, 27000));
    // Unplugged and plugged into A again with A's profile in force: nothing.
    laptop.Look(ConnectionState{kLan, false, true, {}, {}, {}, {}}, 1, 200000);
    EXPECT_EQ(0, laptop.Look(onA, 1, 201000));
}

TEST(AutoSwitch, NeverOverAHandAppliedProfileAfterANoOrWhenTwoMatch) {
    const ConnectionState onA = Dhcp(Ip(192, 0, 2, 100), kSiteA);
    Laptop byHand, declined, twoMatch, noLease;
    EXPECT_EQ(0, byHand.Look(onA, 1, 1000));
    byHand.Switch(1500, 2000, false);  // by hand: the lost-gateway profile, on site A
    EXPECT_EQ(0, byHand.Look(onA, 2, 3000)) << "by hand";
    EXPECT_EQ(0, byHand.Look(onA, 2, 100000)) << "the network stays the same";

    declined.Look(Dhcp(0, {}), 0, 1000);
    EXPECT_EQ(1, declined.Look(onA, 0, 2000));
    declined.watcher.Declined(kLan);
    EXPECT_EQ(0, declined.Look(onA, 0, 3000)) << "declined";

    twoMatch.profiles[1].automatic = true;
    twoMatch.profiles[1].network = kSiteA;
    EXPECT_EQ(0, twoMatch.Look(Fixed(Ip(198, 51, 100, 10), Ip(198, 51, 100, 1), {}, kSiteA), 3, 1000, false))
        << "two match: no profile, not even a fall-back";

    EXPECT_EQ(0, noLease.Look(Dhcp(0, {}), 1, 1000));
    EXPECT_EQ(0, noLease.Look(Dhcp(0, {}), 1, 1000 + CAutoSwitch::kDhcpWaitMs - 1));
    EXPECT_EQ(3, noLease.Look(Dhcp(0, {}), 1, 1000 + CAutoSwitch::kDhcpWaitMs)) << "no DHCP answer within the wait";
}

}  // namespace
