#pragma once
// A new profile leaving the network connection page starts from what is in
// force on the computer: these fill the profile's TCP/IP, Internet Explorer
// proxy and default-printer fields from the current settings. A query that
// fails leaves the fields it would have written as they are.
#include "profile/ProfileData.h"

// TCP/IP of the adapter whose MAC text the profile names, the system's DNS
// servers, and the adapter's further addresses, gateways, DNS servers and
// suffix as the profile's additions.
void FillTcpipFromCurrent(CProfileData& profile);
// The LAN connection's per-connection proxy options.
void FillProxyFromCurrent(CProfileData& profile, int ieMajorVersion);
// The name of the default printer; setDefaultPrinter is left alone.
void FillPrinterFromCurrent(CProfileData& profile);
