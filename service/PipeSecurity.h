#pragma once
// The security descriptor of the setting pipe, as SDDL. SYSTEM and
// Administrators have all access; the users who may ask for a setting
// (interactive users, or the Network Configuration Operators when the
// package's choice reads "operators", in any case) may read and write
// messages and set the read mode, never create an instance of the pipe.
// No other entry, and none inherited.
#include "framework/Text.h"

Text SettingPipeSddl(const Text& usersChoice);
