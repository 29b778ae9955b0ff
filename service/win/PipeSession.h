#pragma once
#include <windows.h>

#include "service/ClientAdmission.h"
#include "service/win/ClientIdentity.h"
#include "service/win/RequestApplier.h"

// Serves the client connected to `pipe` (its process and session read
// already): its one request (sent within kClientLimitMs), the reply, the
// event-log entry, and a wait for the client to go. A client that sends
// nothing in time, goes, or whose token cannot be read has nothing
// answered and nothing logged. The caller disconnects the client.
void ServeClient(HANDLE pipe, RequestClient& client, ServiceUsers users, CRequestApplier& applier);
