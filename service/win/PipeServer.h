#pragma once
#include <windows.h>

#include "framework/Text.h"
#include "framework/win/Event.h"
#include "framework/win/UniqueHandle.h"
#include "service/ClientAdmission.h"
#include "service/win/RequestApplier.h"

// CreateNamedPipeW of kernel32; tests record the calls in its place.
using CreateNamedPipeCall = HANDLE(WINAPI*)(LPCWSTR, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, LPSECURITY_ATTRIBUTES);
extern CreateNamedPipeCall createNamedPipe;

// The setting pipe, served until the stop event is set: one instance
// always listens, and each client is served on a thread of its own as soon
// as it connects, so that no client, stalled or looping, keeps another
// from being heard.
class CSettingPipe {
public:
    // `scope`: the service's stop event and its commands' job; `users`:
    // whom the service serves.
    CSettingPipe(const CommandScope& scope, ServiceUsers users);
    CSettingPipe(const CSettingPipe&) = delete;
    CSettingPipe& operator=(const CSettingPipe&) = delete;

    // Makes the pipe `name` with the security descriptor `sddl` as its
    // first instance. ERROR_SUCCESS, or the error that kept it from being
    // made (another process holding the name: ERROR_ACCESS_DENIED).
    DWORD Create(const Text& name, const Text& sddl);
    // Listens until the stop event is set, then wakes every request that
    // waits for its turn. The clients' threads may still be running.
    void Listen();
    // Waits for the clients' threads to end, at most `limitMs`, calling
    // `progress` about once a second meanwhile; true when they all ended.
    bool AwaitClients(DWORD limitMs, void (*progress)());

private:
    struct Connection {
        CSettingPipe* server;
        HANDLE pipe;
    };
    HANDLE NewInstance(bool first);
    // A new instance to listen on; false once the service stops.
    bool ListenAgain(CFileHandle& instance);
    // Hands the connected instance to a thread of its own.
    void Serve(CFileHandle& instance);
    static DWORD WINAPI ServeConnection(LPVOID parameter);
    // On the connection's thread: the client, if its session may hold one
    // more connection, then the instance closed.
    void ServeClientOn(HANDLE pipe);

    CRequestApplier applier_;
    ServiceUsers users_;
    std::wstring name_;
    CLocalMemory descriptor_;
    CFileHandle listening_;
    // The clients' threads running, and an event set whenever one ends.
    volatile LONG clients_ = 0;
    CKernelHandle clientEnded_;
};
