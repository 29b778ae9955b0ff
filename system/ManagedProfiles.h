#pragma once
// Profiles managed by the company: the registry values that say so, and
// the decision. Every value a program of the system reads from the policy
// key is named here (Ortivo.admx names them too; a script compares them).
#include <cstdint>
#include <optional>

#include "framework/Text.h"

// HKEY_LOCAL_MACHINE: the policies, written by Group Policy or a management
// tool, and the product's own key, written by the package.
inline constexpr char16_t kPolicyKey[] = u"SOFTWARE\\Policies\\Valtrecossin\\Ortivo";
inline constexpr char16_t kProductKey[] = u"SOFTWARE\\Valtrecossin\\Ortivo";

// Policy values, each with the type the programs read (the policy
// templates' test reads it from here): managed profiles on (1) or off
// (anything else); the path of a profile file that the setting service
// imports; the users the setting service serves ("interactive" or
// "operators"), in place of the package's value.
inline constexpr char16_t kManagedProfilesPolicy[] = u"ManagedProfiles";  // REG_DWORD
inline constexpr char16_t kProfilesSourcePolicy[] = u"ProfilesSource";    // REG_SZ
inline constexpr char16_t kServiceUsersPolicy[] = u"ServiceUsers";        // REG_SZ

// The package's value below kProductKey: "1" (REG_SZ) when it was installed
// with ORTIVO_MANAGED=1.
inline constexpr char16_t kManagedValue[] = u"Managed";

// A registry value as the decision sees it: absent, a number or a text.
struct RegistrySetting {
    std::optional<uint32_t> number;  // REG_DWORD
    std::optional<Text> text;        // REG_SZ
    bool Present() const { return number.has_value() || text.has_value(); }
};

// Managed when the policy value is the number 1; without a policy value,
// when the package's value is 1 (as a number or the text "1"). A policy
// value, of whatever type, wins over the package's.
bool IsManagedProfiles(const RegistrySetting& policy, const RegistrySetting& package);
