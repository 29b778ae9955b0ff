#pragma once
// A new profile leaving the network connection page starts from what is in
// force on the computer: these fill the profile's TCP/IP, Internet Explorer
// proxy and default-printer fields from the current settings. A query that
// fails leaves the fields it would have written as they are.
#include <string>

#include "profile/ProfileData.h"
#include "profile/RecordedNetwork.h"

// TCP/IP of the adapter whose MAC text the profile names, the system's DNS
// servers, and the adapter's further addresses, gateways, DNS servers and
// suffix as the profile's additions.
void FillTcpipFromCurrent(CProfileData& profile);
// The network the connection of the adapter with this MAC text is on: its
// first gateway's MAC address, its DNS suffix, its Wi-Fi network's name;
// what is not found stays empty.
RecordedNetwork FindCurrentNetwork(const std::wstring& macText);
// The LAN connection's per-connection proxy options.
void FillProxyFromCurrent(CProfileData& profile, int ieMajorVersion);
// The name of the default printer; setDefaultPrinter is left alone.
void FillPrinterFromCurrent(CProfileData& profile);
