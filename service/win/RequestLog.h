#pragma once
// Writes one request into the Application event log (source "Ortivo").
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "applier/SettingRequest.h"
#include "framework/Text.h"

// ReportEventW of advapi32; tests record the calls in its place.
using ReportEventCall = BOOL(WINAPI*)(HANDLE, WORD, WORD, DWORD, PSID, WORD, DWORD, LPCWSTR*, LPVOID);
extern ReportEventCall reportEvent;

// An information entry for an applied request, a warning for a refused
// one and an error for a failed one; a log that cannot be reached changes
// nothing for the request.
void LogRequest(const Text& user, const uint8_t* message, std::size_t size, SettingReply reply);
