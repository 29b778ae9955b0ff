#pragma once
// How the setting service is registered with the system: the texts the
// package's service row holds, the event source and event of each
// request, and where the package stores who may use the pipe.
#include <cstdint>

inline constexpr char16_t kSettingServiceDisplayName[] = u"Ortivo ネットワーク設定サービス";
inline constexpr char16_t kSettingServiceDescription[] =
    u"Ortivo のプロファイルの切り替えで、標準ユーザーに代わって接続の IPv4 アドレスと DNS を設定します。"
    u"このサービスを停止すると、切り替えのたびに管理者の承認が必要になります。";

// Source "Ortivo" of the Application log; the message table of the
// service program holds event kRequestEventId (its text takes the
// client's user name, the connection name and the reply).
inline constexpr char16_t kEventSourceName[] = u"Ortivo";
inline constexpr uint32_t kRequestEventId = 1;

// HKEY_LOCAL_MACHINE key and REG_SZ value of the pipe's users,
// "interactive" (or none) or "operators".
inline constexpr char16_t kServiceSettingsKey[] = u"SOFTWARE\\Valtrecossin\\Ortivo\\Service";
inline constexpr char16_t kServiceUsersValue[] = u"Users";
