#include <gtest/gtest.h>

#include "switching/AutoSwitch.h"
#include "switching/ProfileInForce.h"
#include "tests/native/Ip.h"
#include "tests/native/NamedProfile.h"

namespace {

const Text kLan = u"00:00:5E:00:53:10";
const RecordedNetwork kSiteA{u"00:00:5E:00:53:0A", u"site-a.example", u""};
const RecordedNetwork kSiteB{u"00:00:5E:00:53:0B", u"", u""};

ConnectionState Dhcp(uint32_t address, const RecordedNetwork& network, std::vector<uint32_t> dns = {}) {
    ConnectionState c;
    c.macAddress = kLan;
    c.connected = true;
    c.dhcp = true;
    if (address != 0) c.addresses = {{address, Ip(255, 255, 255, 0)}};
    c.network = network;
    c.dnsServers = std::move(dns);
    return c;
}

ConnectionState Fixed(uint32_t address, uint32_t gateway, std::vector<uint32_t> dns, const RecordedNetwork& network) {
    ConnectionState c = Dhcp(address, network, std::move(dns));
    c.dhcp = false;
    c.gateways = {gateway};
    return c;
}

CProfileData Profile(const char16_t* name, bool fixed, uint32_t dns1 = 0) {
    CProfileData p = NamedProfile(name);
    ProfileRecord& r = p.Record();
    p.SetText(ProfileText::macAddress, kLan);
    r.ipMode = fixed ? 1 : 0;
    r.ipAddress = Ip(198, 51, 100, 10);
    r.subnetMask = Ip(255, 255, 255, 0);
    r.defaultGateway = Ip(198, 51, 100, 1);
    r.dnsMode = dns1 != 0 || fixed ? 1 : 0;
    r.preferredDns = dns1;
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

// Site A: an automatic DHCP profile with a proxy of its own (1) and a DHCP
// fall-back for a lost gateway (2); site B: a fixed fall-back for no DHCP
// server (3).
struct Profiles {
    std::vector<AutoCandidate> all = {{1, kLan, true, ProfileExtension::Fallback::None, kSiteA, false},
                                      {2, kLan, false, ProfileExtension::Fallback::GatewayLost, {}, false},
                                      {3, kLan, false, ProfileExtension::Fallback::NoDhcp, {}, false}};
    std::vector<AutoCandidate>& InForce(int32_t id) {
        for (AutoCandidate& p : all) p.inForce = p.profileId == id;
        return all;
    }
};

WatchedConnection Watched(const ConnectionState& state, bool gatewayAnswers = true) { return {state, gatewayAnswers}; }

TEST(AutoSwitch, FromSiteAToSiteBAndBackWithAtMostTwoSwitchesForOneChange) {
    CAutoSwitch watcher;
    Profiles profiles;
    const ConnectionState onA = Dhcp(Ip(192, 0, 2, 100), kSiteA);
    EXPECT_EQ(0, watcher.Look({Watched(onA)}, profiles.InForce(1), 1000, false)) << "A's own profile is in force";
    // To site B: no DHCP server; Windows makes an address up.
    EXPECT_EQ(3, watcher.Look({Watched(Dhcp(Ip(169, 254, 7, 7), {}))}, profiles.InForce(1), 2000, false));
    watcher.SwitchStarted(kLan, true, 2000);
    EXPECT_EQ(0, watcher.Look({Watched(Dhcp(Ip(169, 254, 7, 7), {}))}, profiles.InForce(1), 3000, true))
        << "never while a switch runs";
    watcher.SwitchEnded(8000);
    const ConnectionState onB = Fixed(Ip(198, 51, 100, 10), Ip(198, 51, 100, 1), {}, kSiteB);
    EXPECT_EQ(0, watcher.Look({Watched(onB)}, profiles.InForce(3), 9000, false)) << "the switch's own change";
    // Back to site A with B's fixed address soon after (B's network had
    // settled: a change of its own): the gateway does not answer.
    const ConnectionState fixedOnA = Fixed(Ip(198, 51, 100, 10), Ip(198, 51, 100, 1), {}, {});
    watcher.Look({Watched(fixedOnA)}, profiles.InForce(3), 12000, false);
    EXPECT_EQ(2, watcher.Look({Watched(fixedOnA, false)}, profiles.InForce(3), 13000, false));
    watcher.SwitchStarted(kLan, true, 13000);
    watcher.SwitchEnded(19000);
    // The lease comes (the switch's own doing): A's own profile, a second switch.
    EXPECT_EQ(1, watcher.Look({Watched(onA)}, profiles.InForce(2), 20000, false));
    watcher.SwitchStarted(kLan, true, 20000);
    watcher.SwitchEnded(26000);
    // A third for the same change never: say A's profile did not take.
    EXPECT_EQ(0, watcher.Look({Watched(onA)}, profiles.InForce(2), 27000, false));
    // Unplugged and plugged into A again with A's profile in force: nothing.
    watcher.Look({Watched(ConnectionState{kLan, false, true, {}, {}, {}, {}})}, profiles.InForce(1), 200000, false);
    EXPECT_EQ(0, watcher.Look({Watched(onA)}, profiles.InForce(1), 201000, false));
}

TEST(AutoSwitch, NeverOverAHandAppliedProfileAfterANoOrWhenTwoMatch) {
    Profiles profiles;
    const ConnectionState onA = Dhcp(Ip(192, 0, 2, 100), kSiteA);
    {
        CAutoSwitch watcher;
        EXPECT_EQ(0, watcher.Look({Watched(onA)}, profiles.InForce(1), 1000, false));
        watcher.SwitchStarted(kLan, false, 1500);  // by hand: the lost-gateway profile, on site A
        watcher.SwitchEnded(2000);
        EXPECT_EQ(0, watcher.Look({Watched(onA)}, profiles.InForce(2), 3000, false)) << "by hand";
        EXPECT_EQ(0, watcher.Look({Watched(onA)}, profiles.InForce(2), 100000, false)) << "the network stays the same";
    }
    {
        CAutoSwitch watcher;
        watcher.Look({Watched(Dhcp(0, {}))}, profiles.InForce(0), 1000, false);
        EXPECT_EQ(1, watcher.Look({Watched(onA)}, profiles.InForce(0), 2000, false));
        watcher.Declined(kLan);
        EXPECT_EQ(0, watcher.Look({Watched(onA)}, profiles.InForce(0), 3000, false)) << "declined";
    }
    {
        CAutoSwitch watcher;
        profiles.all[1].automatic = true;
        profiles.all[1].network = kSiteA;
        const ConnectionState fixedOnA = Fixed(Ip(198, 51, 100, 10), Ip(198, 51, 100, 1), {}, kSiteA);
        EXPECT_EQ(0, watcher.Look({Watched(fixedOnA, false)}, profiles.InForce(3), 1000, false))
            << "two match: no profile, not even a fall-back";
    }
    {
        CAutoSwitch watcher;
        Profiles plain;
        EXPECT_EQ(0, watcher.Look({Watched(Dhcp(0, {}))}, plain.InForce(1), 1000, false));
        EXPECT_EQ(0, watcher.Look({Watched(Dhcp(0, {}))}, plain.InForce(1), 1000 + CAutoSwitch::kDhcpWaitMs - 1, false));
        EXPECT_EQ(3, watcher.Look({Watched(Dhcp(0, {}))}, plain.InForce(1), 1000 + CAutoSwitch::kDhcpWaitMs, false))
            << "no DHCP answer within the wait";
    }
}

}  // namespace
