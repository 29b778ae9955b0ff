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

struct PipeClient {
    DWORD processId = 0;
    DWORD sessionId = 0;
    std::vector<uint8_t> sid;  // its user's SID, as the token holds it
    ClientMembership membership;
};

// The client's process and session; false when the system cannot tell.
bool ReadPipeClientProcess(HANDLE pipe, PipeClient& client);

// The client's user and groups, from its token: the thread takes the
// client's identity for the question alone, at identification level (it
// can ask, never act), and takes back its own at once. False when the
// token cannot be read.
bool ReadPipeClientToken(HANDLE pipe, PipeClient& client);
