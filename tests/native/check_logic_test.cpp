#include <gtest/gtest.h>

#include "tests/native/Ip.h"

#include <string>
#include <vector>

#include "switching/CheckLogic.h"

namespace {

using namespace checks;


// Probes that answer from fields and write down every call in order.
class FakeProbes : public CCheckProbes {
public:
    Text guid = u"{0D2A4A0E-1111-2222-3333-444455556666}";
    bool readable = true;
    Text ip = u"192.168.1.10", mask = u"255.255.255.0", gateway = u"192.168.1.1";
    bool connected = true;
    int echo = 0;
    int http = 0;
    std::vector<std::string> calls;

    Text FindAdapterGuid(const Text& mac) override {
        calls.push_back("find " + text::ToUtf8(mac));
        return guid;
    }
    bool ReadCurrentIPv4(const Text& g, Text& i, Text& m, Text& gw) override {
        calls.push_back("read " + text::ToUtf8(g));
        if (!readable) return false;
        i = ip, m = mask, gw = gateway;
        return true;
    }
    bool IsConnected(const Text& mac) override {
        calls.push_back("connected " + text::ToUtf8(mac));
        return connected;
    }
    int SendEcho(const Text& address) override {
        calls.push_back("echo " + text::ToUtf8(address));
        return echo;
    }
    int HttpGet(const Text& url) override {
        calls.push_back("http " + text::ToUtf8(url));
        return http;
    }
};

CProfileData Profile(bool dhcp, bool ping, bool url) {
    CProfileData p;
    ProfileRecord& r = p.Record();
    p.SetText(ProfileText::macAddress, u"00:1A:2B:3C:4D:5E");
    p.SetText(ProfileText::checkUrl, u"http://127.0.0.1:8080/check?x=1");
    r.checkDhcp = dhcp;
    r.checkPingGateway = ping;
    r.checkUrlEnabled = url;
    return p;
}

CProfileData Fixed(uint32_t ip, uint32_t mask, uint32_t gateway) {
    CProfileData p = Profile(true, false, false);
    p.Record().ipMode = 1;
    p.Record().ipAddress = ip;
    p.Record().subnetMask = mask;
    p.Record().defaultGateway = gateway;
    return p;
}

AdapterState State(const char16_t* ip, const char16_t* mask, const char16_t* gateway, bool connected) {
    AdapterState s;
    s.ip = ip, s.mask = mask, s.gateway = gateway, s.connected = connected;
    return s;
}

TEST(CheckLogic, FixedAddressComparesAllThreeTextsExactly) {
    const CProfileData p = Fixed(Ip(192, 168, 1, 10), Ip(255, 255, 255, 0), Ip(192, 168, 1, 1));
    EXPECT_EQ(kAddressPassed, AddressCheck(p, State(u"192.168.1.10", u"255.255.255.0", u"192.168.1.1", false)));
    EXPECT_EQ(kAddressMismatch, AddressCheck(p, State(u"192.168.1.11", u"255.255.255.0", u"192.168.1.1", true)));
    EXPECT_EQ(kAddressMismatch, AddressCheck(p, State(u"192.168.1.10", u"255.255.0.0", u"192.168.1.1", true)));
    EXPECT_EQ(kAddressMismatch, AddressCheck(p, State(u"192.168.1.10", u"255.255.255.0", u"", true)));
    EXPECT_EQ(kAddressMismatch, AddressCheck(p, State(u"192.168.001.10", u"255.255.255.0", u"192.168.1.1", true)));
}

TEST(CheckLogic, FixedAddressWithoutGatewayMatchesAnAdapterWithoutOne) {
    const CProfileData none = Fixed(Ip(10, 0, 0, 5), Ip(255, 0, 0, 0), 0);
    const CProfileData some = Fixed(Ip(10, 0, 0, 5), Ip(255, 0, 0, 0), Ip(10, 0, 0, 1));
    for (const char16_t* gateway : {u"", u"0.0.0.0"}) {
        EXPECT_EQ(kAddressPassed, AddressCheck(none, State(u"10.0.0.5", u"255.0.0.0", gateway, true)));
        EXPECT_EQ(kAddressMismatch, AddressCheck(some, State(u"10.0.0.5", u"255.0.0.0", gateway, true)));
    }
    EXPECT_EQ(kAddressMismatch, AddressCheck(none, State(u"10.0.0.5", u"255.0.0.0", u"10.0.0.1", true)));
}

TEST(CheckLogic, DhcpAddressRulesInOrder) {
    CProfileData p = Profile(true, false, false);
    p.Record().ipMode = 0;
    EXPECT_EQ(kAddressPassed, AddressCheck(p, State(u"192.168.5.20", u"255.255.255.0", u"", true)));
    EXPECT_EQ(kAddressNotConnected, AddressCheck(p, State(u"192.168.5.20", u"", u"", false)));
    EXPECT_EQ(kAddressNotConnected, AddressCheck(p, State(u"", u"", u"", false)));
    EXPECT_EQ(kAddressMissing, AddressCheck(p, State(u"", u"", u"", true)));
    EXPECT_EQ(kAddressZero, AddressCheck(p, State(u"0.0.0.0", u"", u"", true)));
    EXPECT_EQ(kAddressLinkLocal, AddressCheck(p, State(u"169.254.7.8", u"255.255.0.0", u"", true)));
    EXPECT_EQ(kAddressPassed, AddressCheck(p, State(u"169.253.7.8", u"", u"", true)));
    EXPECT_EQ(kAddressPassed, AddressCheck(p, State(u"254.169.7.8", u"", u"", true)));
    EXPECT_EQ(kAddressPassed, AddressCheck(p, State(u"169", u"", u"", true)));
    EXPECT_EQ(kAddressPassed, AddressCheck(p, State(u"169.x.1.1", u"", u"", true)));
    // Mode bytes other than 1 mean DHCP.
    p.Record().ipMode = 2;
    EXPECT_EQ(kAddressNotConnected, AddressCheck(p, State(u"10.0.0.5", u"", u"", false)));
}

TEST(CheckLogic, AddressResultsMapToTheirBits) {
    EXPECT_EQ(0, AddressCheckBits(kAddressPassed));
    EXPECT_EQ(kAddressDiffers, AddressCheckBits(kAddressMismatch));
    EXPECT_EQ(kLinkLocal, AddressCheckBits(kAddressLinkLocal));
    EXPECT_EQ(kNoAddress, AddressCheckBits(kAddressZero));
    EXPECT_EQ(kNoAddress, AddressCheckBits(kAddressNotConnected));
    EXPECT_EQ(kNoAddress, AddressCheckBits(kAddressMissing));
}

TEST(CheckLogic, NoCheckEnabledOnlyAsksForTheConnectionWithAnEmptyMac) {
    FakeProbes probes;
    AdapterState state;
    state.ip = u"stale";
    EXPECT_EQ(0, RunAll(Profile(false, false, false), probes, state));
    EXPECT_EQ(std::vector<std::string>{"connected "}, probes.calls);
    EXPECT_EQ(Text(), state.mac);
    EXPECT_EQ(Text(), state.ip);
}

TEST(CheckLogic, HttpOnlyNeedsNoAdapterAndReportsItsFailure) {
    FakeProbes probes;
    AdapterState state;
    probes.http = -1;
    EXPECT_EQ(kHttpFailed, RunAll(Profile(false, false, true), probes, state));
    const std::vector<std::string> expected{"connected ", "http http://127.0.0.1:8080/check?x=1"};
    EXPECT_EQ(expected, probes.calls);
    probes.http = 0;
    EXPECT_EQ(0, RunAll(Profile(false, false, true), probes, state));
}

TEST(CheckLogic, UnknownOrUnreadableAdapterEndsEverythingWith0x10) {
    for (bool dhcp : {false, true}) {
        FakeProbes probes;
        AdapterState state;
        probes.guid.clear();
        probes.http = -1;
        EXPECT_EQ(kAdapterUnknown, RunAll(Profile(dhcp, !dhcp, true), probes, state));
        EXPECT_EQ(std::vector<std::string>{"find 00:1A:2B:3C:4D:5E"}, probes.calls);

        FakeProbes unreadable;
        unreadable.readable = false;
        unreadable.http = -1;
        EXPECT_EQ(kAdapterUnknown, RunAll(Profile(dhcp, true, true), unreadable, state));
        EXPECT_EQ(2u, unreadable.calls.size());
    }
}

TEST(CheckLogic, AllChecksPassInOrder) {
    FakeProbes probes;
    AdapterState state;
    EXPECT_EQ(0, RunAll(Profile(true, true, true), probes, state));
    const std::vector<std::string> expected{
        "find 00:1A:2B:3C:4D:5E", "read {0D2A4A0E-1111-2222-3333-444455556666}", "connected 00:1A:2B:3C:4D:5E",
        "echo 192.168.1.1", "http http://127.0.0.1:8080/check?x=1"};
    EXPECT_EQ(expected, probes.calls);
    EXPECT_EQ(Text(u"00:1A:2B:3C:4D:5E"), state.mac);
    EXPECT_EQ(Text(u"192.168.1.10"), state.ip);
    EXPECT_EQ(Text(u"255.255.255.0"), state.mask);
    EXPECT_EQ(Text(u"192.168.1.1"), state.gateway);
    EXPECT_TRUE(state.connected);
}

TEST(CheckLogic, EveryCombinationOfEnabledChecksGivesItsBits) {
    // Failing adapter (link-local), failing echo, failing HTTP: each enabled
    // check contributes exactly its own bit.
    for (int mask = 0; mask < 8; ++mask) {
        const bool dhcp = mask & 1, ping = mask & 2, url = mask & 4;
        FakeProbes probes;
        AdapterState state;
        probes.ip = u"169.254.3.4";
        probes.echo = -1;
        probes.http = -1;
        const int expected = (dhcp ? kLinkLocal : 0) | (ping ? kPingFailed : 0) | (url ? kHttpFailed : 0);
        EXPECT_EQ(expected, RunAll(Profile(dhcp, ping, url), probes, state)) << mask;
    }
}

TEST(CheckLogic, DisconnectedDhcpAdapterFailsAddressAndPingWithoutAnEcho) {
    FakeProbes probes;
    AdapterState state;
    probes.connected = false;
    EXPECT_EQ(kNoAddress | kPingFailed, RunAll(Profile(true, true, false), probes, state));
    for (const std::string& call : probes.calls) EXPECT_NE(0u, call.rfind("echo", 0)) << call;
}

TEST(CheckLogic, PingAloneUsesTheConnectionOnlyForDhcpProfiles) {
    FakeProbes probes;
    AdapterState state;
    probes.connected = false;
    probes.ip = u"0.0.0.0";
    EXPECT_EQ(kPingFailed, RunAll(Profile(false, true, false), probes, state));

    // A fixed profile pings even when the adapter is reported as not
    // connected, and a mismatching address does not stop the ping.
    CProfileData fixed = Fixed(Ip(10, 0, 0, 9), Ip(255, 0, 0, 0), Ip(10, 0, 0, 1));
    fixed.Record().checkDhcp = 0;
    fixed.Record().checkPingGateway = 1;
    FakeProbes echoing;
    echoing.connected = false;
    EXPECT_EQ(0, RunAll(fixed, echoing, state));
    EXPECT_EQ("echo 192.168.1.1", echoing.calls.back());
}

TEST(CheckLogic, GatewaylessAdapterPassesThePingWithoutSending) {
    for (const char16_t* none : {u"", u"0.0.0.0"}) {
        FakeProbes probes;
        AdapterState state;
        probes.gateway = none;
        probes.echo = -1;
        EXPECT_EQ(0, RunAll(Profile(false, true, false), probes, state)) << text::ToUtf8(none);
        EXPECT_EQ("connected 00:1A:2B:3C:4D:5E", probes.calls.back());
    }
}

TEST(CheckLogic, OnlyASuccessfulReplyFromTheTargetPassesThePing) {
    const uint32_t gateway = 0x0101A8C0, local = 0x0A01A8C0;  // 192.168.1.1 and .10 as the system holds them
    EXPECT_EQ(0, EchoReplyVerdict(kEchoSucceeded, gateway, gateway));
    // Destination host unreachable (from the local stack or not), timed out, another address.
    for (const auto& [status, from] : {std::pair{11003ul, local}, {11003ul, gateway}, {11010ul, gateway}, {0ul, local}})
        EXPECT_EQ(-1, EchoReplyVerdict(status, from, gateway)) << status << " " << from;
}

TEST(CheckLogic, AddressFailuresAreSortedIntoTheirBits) {
    struct Case {
        const char16_t* ip;
        bool connected;
        int bits;
    } cases[] = {{u"0.0.0.0", true, kNoAddress}, {u"", true, kNoAddress}, {u"10.1.1.1", false, kNoAddress},
                 {u"169.254.0.1", true, kLinkLocal}, {u"10.1.1.1", true, 0}};
    for (const Case& c : cases) {
        FakeProbes probes;
        AdapterState state;
        probes.ip = c.ip;
        probes.connected = c.connected;
        EXPECT_EQ(c.bits, RunAll(Profile(true, false, false), probes, state)) << text::ToUtf8(c.ip);
    }
    FakeProbes probes;
    AdapterState state;
    probes.ip = u"192.168.1.99";
    EXPECT_EQ(kAddressDiffers,
              RunAll(Fixed(Ip(192, 168, 1, 10), Ip(255, 255, 255, 0), Ip(192, 168, 1, 1)), probes, state));
}

}  // namespace
