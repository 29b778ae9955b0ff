#pragma once
// Overlapped I/O on one instance of the setting pipe, every wait bounded
// and ended at once by the service's stop event.
#include <windows.h>

#include <cstddef>
#include <cstdint>

// How long a client may take to send its request, and to go after the reply.
inline constexpr DWORD kClientLimitMs = 5000;

// Waits for a client to connect to `pipe`. ERROR_SUCCESS when one is
// connected; ERROR_OPERATION_ABORTED when `stop` was set; ERROR_NO_DATA
// when a client came and went before the wait (the instance is to be
// disconnected and can listen again); otherwise the error of the pipe.
DWORD AwaitClient(HANDLE pipe, HANDLE stop);

// Reads one message into `buffer`, at most `limitMs`. ERROR_SUCCESS with
// `size` set; ERROR_MORE_DATA for a longer message (its rest stays in the
// pipe); ERROR_OPERATION_ABORTED when the time was up or `stop` was set;
// otherwise the error of the pipe (the client went).
DWORD ReadMessage(HANDLE pipe, uint8_t* buffer, DWORD capacity, DWORD& size, HANDLE stop, DWORD limitMs);

// Writes one message; true when all of it was written.
bool WriteMessage(HANDLE pipe, const uint8_t* bytes, DWORD size, HANDLE stop, DWORD limitMs);

// Lets the client read the reply: waits until it closes its end, at most
// kClientLimitMs in all (a moment only when `stop` is set), reading and
// dropping whatever else it sends.
void AwaitClientGone(HANDLE pipe, HANDLE stop);
