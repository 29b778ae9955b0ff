#pragma once
// Profiles that the setting applier's tests apply, each with the command
// lines the applier runs for it: every program that applies a profile
// with the applier's plan must run exactly these.
#include <string>
#include <vector>

#include "profile/ProfileData.h"
#include "tests/wine/support/RegistrySeed.h"

namespace testsupport {

struct ApplierCase {
    CProfileData profile;
    std::vector<std::wstring> commandLines;
    std::wstring suffix;  // the connection's DNS suffix afterwards
};

// A registered profile (profileId 1) for `connection`, DHCP with automatic DNS.
CProfileData ApplierProfile(const char16_t* connection);

// "LAN": fixed address, gateway and two DNS servers (three netsh commands).
ApplierCase FixedAddressCase();
// "Wi-Fi": DHCP and automatic DNS, renewed last.
ApplierCase DhcpCase();
// FixedAddressCase with two more addresses, gateways and DNS servers and
// the suffix "corp.example".
ApplierCase AdditionsCase();

// A made-up adapter whose connection is named `connection`, seeded for the
// seed's scope as Windows lists it, its suffix ("Domain") set beforehand;
// the path of its TCP/IP key, where a switch sets the suffix.
std::wstring SeedConnection(CRegistrySeed& seed, const std::wstring& connection);

}  // namespace testsupport
