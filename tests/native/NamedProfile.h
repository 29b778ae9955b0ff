#pragma once
#include "profile/ProfileData.h"

// A profile with a name and otherwise the defaults; the icon and the
// connection name where a test needs them.
inline CProfileData NamedProfile(const char16_t* name, int32_t icon = -1, const char16_t* connection = nullptr) {
    CProfileData p;
    p.SetText(ProfileText::profileName, name);
    p.Record().iconIndex = icon;
    if (connection != nullptr) p.SetText(ProfileText::connectionName, connection);
    return p;
}
