#pragma once
// The security descriptor of the setting pipe, as SDDL. SYSTEM and
// Administrators have all access; interactive users may read and write
// messages and set the read mode, never create an instance of the pipe.
// No other entry, and none inherited. Which interactive users the service
// serves is its own decision (ClientAdmission.h).
#include "framework/Text.h"

Text SettingPipeSddl();
