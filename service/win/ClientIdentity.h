#pragma once
// What the service learns of the client connected to one pipe instance.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "service/ClientAdmission.h"

// GetNamedPipeClientSessionId of kernel32; tests give each client process
// a session of its own in its place.
using ClientSessionCall = BOOL(WINAPI*)(HANDLE, PULONG);
extern ClientSessionCall clientSessionId;

// Who sent a request, as the system tells it.
struct RequestClient {
    // The SID itself (GetLengthSid bytes at TOKEN_USER's User.Sid, as
    // GetTokenInformation(TokenUser) gives it); empty when unknown.
    std::vector<uint8_t> sid;
    DWORD processId = 0;
    DWORD sessionId = 0;
    ClientMembership membership;
};

// The client's process and session; false when the system cannot tell.
bool ReadPipeClientProcess(HANDLE pipe, RequestClient& client);

// The client's user and groups, from its token: the thread takes the
// client's identity for the question alone, at identification level (it
// can ask, never act), and takes back its own at once. False when the
// token cannot be read.
bool ReadPipeClientToken(HANDLE pipe, RequestClient& client);
