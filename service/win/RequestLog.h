#pragma once
// Writes the setting service's requests into the Application event log
// (source "Ortivo"), at most kLoggedPerWindow of one client session a
// minute (RequestLogLimit.h).
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "applier/SettingRequest.h"
#include "framework/Text.h"
#include "service/win/ClientIdentity.h"

// ReportEventW of advapi32 and GetTickCount64 of kernel32; tests record
// the events and move the clock on in their place.
using ReportEventCall = BOOL(WINAPI*)(HANDLE, WORD, WORD, DWORD, PSID, WORD, DWORD, LPCWSTR*, LPVOID);
extern ReportEventCall reportEvent;
using TickCountCall = ULONGLONG(WINAPI*)();
extern TickCountCall tickCount;

// Event kRequestEventId, whose user is the client's SID (none when `sid`
// is no SID): information for an applied request, a warning for one
// refused, not permitted or busy, an error for a failed one. A request
// beyond the session's share of its minute is counted instead, and the
// count is written as event kLeftOutEventId (a warning, no user) before
// the session's first event after that minute. A log that cannot be
// reached changes nothing for the request.
void LogRequest(const RequestClient& client, const uint8_t* message, std::size_t size, SettingReply reply);

// At the service's stop: event kLeftOutEventId for every session that is
// still owed one.
void LogLeftOutRequests();

// The service's own events (no client, no limit): the profile source
// imported (information) or refused (a warning), and the data file or its
// folder not protected in managed mode (an error).
void LogSourceImported(const Text& source, const Text& sha256, std::size_t count);
void LogSourceRefused(const Text& source, const Text& message);
void LogDataNotProtected(const Text& dataFile);
