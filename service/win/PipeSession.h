#pragma once
#include <windows.h>

#include "service/win/RequestApplier.h"

// Serves the client connected to `pipe`: its one request (sent within
// kClientLimitMs), the reply, the event-log entry, and a wait for the
// client to go. A client that sends nothing in time, or goes, has nothing
// answered and nothing logged. The caller disconnects the client.
void ServeClient(HANDLE pipe, CRequestApplier& applier);
