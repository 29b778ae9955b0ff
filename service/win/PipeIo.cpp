#include "service/win/PipeIo.h"

#include "framework/win/Event.h"

namespace {

// How long a client may take to go after its reply once the service stops.
constexpr DWORD kStoppingClientLimitMs = 500;

// One overlapped operation and the event it signals.
struct Operation {
    CEvent done;
    OVERLAPPED overlapped{};
    Operation() { overlapped.hEvent = done.Handle(); }
};

// The outcome of an operation that `started` (the call's result): at once
// when it completed or failed without going pending, else when it ends,
// cancelled after `limitMs` or when `stop` is set.
DWORD Complete(HANDLE pipe, Operation& op, BOOL started, HANDLE stop, DWORD limitMs, DWORD& bytes) {
    bytes = 0;
    if (!started) {
        const DWORD error = GetLastError();
        if (error != ERROR_IO_PENDING) return error;
        const HANDLE waits[] = {op.done.Handle(), stop};
        if (WaitForMultipleObjects(2, waits, FALSE, limitMs) != WAIT_OBJECT_0) CancelIoEx(pipe, &op.overlapped);
    }
    if (GetOverlappedResult(pipe, &op.overlapped, &bytes, TRUE)) return ERROR_SUCCESS;
    return GetLastError();
}

}  // namespace

DWORD AwaitClient(HANDLE pipe, HANDLE stop) {
    Operation op;
    DWORD ignored = 0;
    const BOOL started = ConnectNamedPipe(pipe, &op.overlapped);
    if (!started && GetLastError() == ERROR_PIPE_CONNECTED)
        return WaitForSingleObject(stop, 0) == WAIT_OBJECT_0 ? ERROR_OPERATION_ABORTED : ERROR_SUCCESS;
    return Complete(pipe, op, started, stop, INFINITE, ignored);
}

DWORD ReadMessage(HANDLE pipe, uint8_t* buffer, DWORD capacity, DWORD& size, HANDLE stop, DWORD limitMs) {
    Operation op;
    const BOOL started = ReadFile(pipe, buffer, capacity, nullptr, &op.overlapped);
    return Complete(pipe, op, started, stop, limitMs, size);
}

bool WriteMessage(HANDLE pipe, const uint8_t* bytes, DWORD size, HANDLE stop, DWORD limitMs) {
    Operation op;
    DWORD written = 0;
    const BOOL started = WriteFile(pipe, bytes, size, nullptr, &op.overlapped);
    return Complete(pipe, op, started, stop, limitMs, written) == ERROR_SUCCESS && written == size;
}

void AwaitClientGone(HANDLE pipe, HANDLE stop) {
    // Once the service stops, the client still gets a moment to read.
    const bool stopping = WaitForSingleObject(stop, 0) == WAIT_OBJECT_0;
    const CEvent never;
    const ULONGLONG end = GetTickCount64() + (stopping ? kStoppingClientLimitMs : kClientLimitMs);
    uint8_t dropped[512];
    for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
        DWORD size = 0;
        const DWORD read = ReadMessage(pipe, dropped, sizeof(dropped), size, stopping ? never.Handle() : stop,
                                       static_cast<DWORD>(end - now));
        if (read != ERROR_SUCCESS && read != ERROR_MORE_DATA) return;
    }
}
