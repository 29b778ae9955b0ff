#pragma once
#include "profile/ProfileData.h"

// The proxy step of a switch: writes the profile's Internet Explorer proxy
// settings into the LAN connection's per-connection options and sends the
// settings-changed notification.
// 1 = left unchanged (mode 1), 0 = written, -1 = the option call failed.
int ApplyProxySettings(const CProfileData& profile, int ieMajorVersion);
