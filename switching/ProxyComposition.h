#pragma once
// What the proxy step of a switch writes into Internet Explorer's
// per-connection options of the LAN connection, chosen from a profile.
#include <cstdint>

#include "framework/Text.h"
#include "profile/ProfileData.h"

namespace proxy {

// Proxy-type flags of the per-connection option "flags".
inline constexpr uint32_t kTypeDirect = 1;
inline constexpr uint32_t kTypeProxy = 2;
inline constexpr uint32_t kTypeAutoProxyUrl = 4;

enum class Action {
    LeaveUnchanged,  // nothing is written
    TurnOff,         // two options: flags, then the script address
    SetFromProfile,  // four options: flags, server, bypass, script address
};

struct Options {
    Action action = Action::LeaveUnchanged;
    uint32_t flags = 0;
    Text server;         // SetFromProfile only
    Text bypass;         // SetFromProfile only
    Text autoConfigUrl;  // empty when no script is used
};

// The options for the profile's proxy mode. The Gopher server takes part
// only when the installed Internet Explorer is version 6.
Options Compose(const CProfileData& profile, int ieMajorVersion);

}  // namespace proxy
