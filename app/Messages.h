#pragma once
// Window messages of the system (WM_APP based, lParam 0), all received by
// the main dialog. Portable values; the Win32 code uses them as UINTs.
inline constexpr unsigned kMsgSwitchResult = 0x8011;     // wParam: result word
inline constexpr unsigned kMsgRunProfile = 0x8016;       // wParam: profile number
inline constexpr unsigned kMsgProgress = 0x8018;         // wParam: per cent
inline constexpr unsigned kMsgApplierFinished = 0x8100;  // from Tolvik_NetworkSetting
inline constexpr unsigned kMsgNetworkLooked = 0x8020;    // from the network watcher's thread
