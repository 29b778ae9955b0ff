#pragma once
// The decisions of the checks after a switch. The system queries they need
// (adapter lookup, registry, WMI, one ICMP echo, one HTTP GET) come through
// CCheckProbes, so the order of the checks and their bits do not depend on
// the platform.
#include <cstdint>

#include "framework/Text.h"
#include "profile/ProfileData.h"

namespace checks {

// Check bits (the low byte of the switch's result word).
inline constexpr int kAddressDiffers = 0x01;
inline constexpr int kPingFailed = 0x02;
inline constexpr int kHttpFailed = 0x04;
inline constexpr int kLinkLocal = 0x08;
inline constexpr int kAdapterUnknown = 0x10;  // returned alone
inline constexpr int kNoAddress = 0x20;

// Results of the address check.
inline constexpr int kAddressPassed = 0;
inline constexpr int kAddressMismatch = -1;
inline constexpr int kAddressLinkLocal = -2;
inline constexpr int kAddressZero = -3;
inline constexpr int kAddressNotConnected = -4;
inline constexpr int kAddressMissing = -5;

// IP_SUCCESS: the status of an echo reply that came from its target.
inline constexpr unsigned long kEchoSucceeded = 0;

// The adapter as the checks found it. Texts are empty when not read.
struct AdapterState {
    Text mac;
    Text ip;
    Text mask;
    Text gateway;
    bool connected = false;
};

// The system side of the checks.
class CCheckProbes {
public:
    virtual ~CCheckProbes() = default;
    // GUID text of the present adapter with this MAC text; empty when none.
    virtual Text FindAdapterGuid(const Text& macText) = 0;
    // Current IPv4 values from the adapter's TCP/IP key; false when unreadable.
    virtual bool ReadCurrentIPv4(const Text& guid, Text& ip, Text& mask, Text& gateway) = 0;
    // The system reports the adapter with this MAC text as connected.
    virtual bool IsConnected(const Text& macText) = 0;
    // One ICMP echo to the dotted address: 0 the address itself answered,
    // negative not.
    virtual int SendEcho(const Text& address) = 0;
    // One HTTP GET of the URL: 0 status below 400, -1 otherwise.
    virtual int HttpGet(const Text& url) = 0;
};

// The verdict on the reply to an ICMP echo sent to `target`: 0 when the
// target itself answered (status kEchoSucceeded from the target's own
// address), -1 otherwise. The system hands back error reports as replies
// too: "destination host unreachable" from the local stack when the address
// could not be resolved (11003), a time-out (11010), or a report from a
// router on the way. Both addresses in the same byte order.
int EchoReplyVerdict(unsigned long status, std::uint32_t replyAddress, std::uint32_t target);

// Does the adapter hold the address the profile asks for? One of the
// kAddress* results. A profile without a gateway (0) matches an adapter
// without one, whose gateway text is empty or "0.0.0.0".
int AddressCheck(const CProfileData& profile, const AdapterState& adapter);

// The bit an address check result adds (0 when it passed).
int AddressCheckBits(int result);

// Ping of the adapter's current gateway: -4 when the adapter is not
// connected (DHCP profiles), 0 without a gateway (an empty text or
// "0.0.0.0": nothing is sent), otherwise the echo's result.
int PingCheck(const CProfileData& profile, const AdapterState& adapter, CCheckProbes& probes);

// Every check the profile enables, in order; returns the check bits.
// `adapter` receives what was found about the profile's adapter.
int RunAll(const CProfileData& profile, CCheckProbes& probes, AdapterState& adapter);

}  // namespace checks
