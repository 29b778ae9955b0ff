#pragma once
// The name (SSID) of the Wi-Fi network an adapter is connected to.
#include <string>

// The name of the network the Wi-Fi adapter `guid` ("{...}") is connected
// to, from the WLAN service (WlanQueryInterface, current connection; the
// service's functions looked up at run time). Empty when it is not
// connected, is no Wi-Fi adapter, or the system does not tell: since late
// 2024 Windows answers access denied without the user's consent to
// location, Wine answers ERROR_CALL_NOT_IMPLEMENTED. A test replaces it.
using WifiNameCall = std::wstring (*)(const std::wstring& guid);
extern WifiNameCall queryWifiName;
