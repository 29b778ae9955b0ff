#pragma once
// What one run of the setting applier does, decided from the handoff block.
// Portable: the Win32 side only runs what is planned here.
#include <cstdint>
#include <vector>

#include "framework/Text.h"
#include "switching/HandoffRecord.h"

enum class ApplierProgram { Netsh, Ipconfig };

struct ApplierCommand {
    Text label;        // trace label, e.g. "IP[Static]GW"
    ApplierProgram program;
    Text commandLine;  // exactly as the command runs, e.g. "netsh interface ipv4 ..."
};

struct ApplierPlan {
    // Address and DNS command lines, in order.
    std::vector<ApplierCommand> settings;
    // "ipconfig /renew" after the pause, for a DHCP profile.
    bool renew = false;
    // Pause between the settings and the renewal (milliseconds).
    bool pause = false;
    // Whether to send the finished message, and to which window.
    bool notify = false;
    uint32_t window32 = 0;
};

inline constexpr unsigned kApplierPauseMs = 5000;
inline constexpr std::size_t kApplierNameLimit = 255;

// The renewal command (also its trace label, with a line break).
ApplierCommand RenewCommand();

// A connection name that can stand inside name="..." on a command line:
// no double quote and no control character.
bool IsSafeConnectionName(const Text& name);

// Nothing happens for profileId 0 (no message either). A connection name
// that is not safe runs no command but still notifies the window.
ApplierPlan PlanApplierRun(const HandoffContents& block);
