#pragma once
// Profiles that the setting applier's tests apply, each with the command
// lines the applier runs for it: every program that applies a profile
// with the applier's plan must run exactly these.
#include <string>
#include <vector>

#include "profile/ProfileData.h"

namespace testsupport {

struct ApplierCase {
    CProfileData profile;
    std::vector<std::wstring> commandLines;
};

// A registered profile (profileId 1) for `connection`, DHCP with automatic DNS.
CProfileData ApplierProfile(const char16_t* connection);

// "LAN": fixed address, gateway and two DNS servers (three netsh commands).
ApplierCase FixedAddressCase();
// "Wi-Fi": DHCP and automatic DNS, renewed last.
ApplierCase DhcpCase();

}  // namespace testsupport
