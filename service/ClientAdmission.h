#pragma once
// Who may ask the setting service for a setting: the package's choice of
// users, and the decision for one client from what its token says. The
// pipe itself admits every interactive user; in "operators" mode the
// service checks the group membership itself, because UAC makes the group
// deny-only in the filtered token that a member's unelevated programs run
// with.
#include <optional>

#include "framework/Text.h"
#include "system/ManagedProfiles.h"

enum class ServiceUsers {
    Interactive,  // every interactive user
    Operators,    // members of Network Configuration Operators only
};

// The package's choice (HKLM SOFTWARE\Valtrecossin\Ortivo\Service, value
// Users), given as the value's text when it is a string and nothing
// otherwise: only "interactive" (in any case) admits every interactive
// user; anything else, a missing value or another type included, means
// the operators.
ServiceUsers UsersFromChoice(const std::optional<Text>& choice);
// The policy's value (kServiceUsersPolicy), where there is one of any type,
// in place of the package's.
ServiceUsers UsersFromSettings(const RegistrySetting& policy, const RegistrySetting& package);

// What the client's token says: whether it is an interactive user's, and
// whether Network Configuration Operators is an enabled group of it or of
// the full token linked to it (the one an elevation would give).
struct ClientMembership {
    bool interactive = false;
    bool operators = false;
    bool linkedOperators = false;
};

bool IsClientAdmitted(ServiceUsers users, const ClientMembership& client);
