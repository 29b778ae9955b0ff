#pragma once
// What one run of the setting applier does, decided from the handoff block.
// Portable: the Win32 side only runs what is planned here.
#include <cstdint>
#include <optional>
#include <vector>

#include "framework/Text.h"
#include "switching/HandoffRecord.h"

enum class ApplierProgram { Netsh, Ipconfig };

struct ApplierCommand {
    Text label;        // trace label, e.g. "IP[Static]GW"
    ApplierProgram program;
    Text commandLine;  // exactly as the command runs, e.g. "netsh interface ipv4 ..."
};

// The connection's DNS suffix as Windows' own advanced TCP/IP settings set
// it (the value "Domain" of the adapter's TCP/IP key; there is no netsh
// command for it): the profile's, or none, so that no suffix of an earlier
// profile stays.
struct SuffixSetting {
    Text connectionName;
    Text suffix;  // empty: none
};

struct ApplierPlan {
    // The block asks for nothing that can be applied safely (a connection
    // name that could change the command line, an extension that does not
    // read or is out of its bounds): nothing runs.
    bool refused = false;
    // Set before the command lines.
    std::optional<SuffixSetting> suffix;
    // Address and DNS command lines, in order.
    std::vector<ApplierCommand> settings;
    // The renewal of the connection's lease after the pause, for a DHCP
    // profile.
    std::optional<ApplierCommand> renewal;
    // Pause between the settings and the renewal (milliseconds).
    bool pause = false;
    // Whether to send the finished message, and to which window.
    bool notify = false;
    uint32_t window32 = 0;
};

inline constexpr unsigned kApplierPauseMs = 5000;
inline constexpr std::size_t kApplierNameLimit = 255;

// The renewal of one connection's lease, ipconfig /renew "<name>" (its
// trace label is "ipconfig /renew" with a line break).
ApplierCommand RenewCommand(const Text& connectionName);

// A connection name that can stand inside name="..." of netsh and as the one
// connection that ipconfig /renew "..." renews: no double quote, no control
// character, no wildcard (ipconfig reads * and ? as wildcards, so that "*"
// would renew every adapter), and not beginning with / or - (a switch).
bool IsSafeConnectionName(const Text& name);

// Nothing happens for profileId 0 (no message either). A connection name
// that is not safe, or an extension that was refused or is not well formed,
// runs no command and is refused. After the address command, a fixed
// address adds the profile's further addresses and gateways; going to DHCP
// first deletes every static default gateway; DNS servers by hand add the
// further ones from index 3 on.
ApplierPlan PlanApplierRun(const HandoffContents& block);

// The applier's command line holds exactly one argument, and it is the
// digest of the block copied (HandoffDigest).
bool IsDigestOfBlock(const Text& commandLine, const HandoffImage& copy);
