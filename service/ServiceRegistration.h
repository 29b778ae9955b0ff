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
// service program holds the events' texts: kRequestEventId, one request
// (the client's process and session, the profile and connection names and
// the reply); kLeftOutEventId, how many requests of a session were not
// logged; the profile source imported or refused; the data file not
// protected in managed mode.
inline constexpr char16_t kEventSourceName[] = u"Ortivo";
inline constexpr uint32_t kRequestEventId = 1;
inline constexpr uint32_t kLeftOutEventId = 2;
inline constexpr uint32_t kSourceImportedEventId = 3;
inline constexpr uint32_t kSourceRefusedEventId = 4;
inline constexpr uint32_t kDataNotProtectedEventId = 5;

// HKEY_LOCAL_MACHINE key of the service's settings, which only SYSTEM and
// Administrators may change: the REG_SZ value of the users it serves
// ("interactive"; anything else, none included, means the operators:
// ClientAdmission.h), and the REG_SZ value in which the running service
// publishes the name of its pipe (SettingPipeName).
inline constexpr char16_t kServiceSettingsKey[] = u"SOFTWARE\\Valtrecossin\\Ortivo\\Service";
inline constexpr char16_t kServiceUsersValue[] = u"Users";
inline constexpr char16_t kServicePipeValue[] = u"Pipe";
