#include "service/win/PipeServer.h"

#include <sddl.h>

#include "applier/SettingRequest.h"
#include "framework/win/WideText.h"
#include "service/win/ClientIdentity.h"
#include "service/win/PipeIo.h"
#include "service/win/PipeSession.h"

CreateNamedPipeCall createNamedPipe = CreateNamedPipeW;

namespace {

// The reply is the only message the service writes.
constexpr DWORD kOutBufferSize = 64;
// How long the listener waits before it makes an instance again when the
// system refused one.
constexpr DWORD kRetryMs = 1000;

bool Stopped(HANDLE stop) { return WaitForSingleObject(stop, 0) == WAIT_OBJECT_0; }

}  // namespace

CSettingPipe::CSettingPipe(const CommandScope& scope, ServiceUsers users)
    : applier_(scope), users_(users), clientEnded_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}

HANDLE CSettingPipe::NewInstance(bool first) {
    // Only the first instance may make the pipe: an existing pipe of the
    // name belongs to someone else.
    const DWORD open = PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | (first ? FILE_FLAG_FIRST_PIPE_INSTANCE : 0);
    const DWORD mode = PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS;
    SECURITY_ATTRIBUTES security{sizeof(security), descriptor_.Get(), FALSE};
    return createNamedPipe(name_.c_str(), open, mode, PIPE_UNLIMITED_INSTANCES, kOutBufferSize,
                           static_cast<DWORD>(kSettingRequestSize), 0, &security);
}

DWORD CSettingPipe::Create(const Text& name, const Text& sddl) {
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(
            WPtr(sddl), SDDL_REVISION_1, reinterpret_cast<PSECURITY_DESCRIPTOR*>(descriptor_.Receive()), nullptr))
        return GetLastError();
    name_ = W(name);
    listening_.Reset(NewInstance(true));
    return listening_.Valid() ? ERROR_SUCCESS : GetLastError();
}

bool CSettingPipe::ListenAgain(CFileHandle& instance) {
    for (;;) {
        instance.Reset(NewInstance(false));
        if (instance.Valid()) return true;
        if (WaitForSingleObject(applier_.Stop(), kRetryMs) != WAIT_TIMEOUT) return false;
    }
}

void CSettingPipe::Listen() {
    while (listening_.Valid() || ListenAgain(listening_)) {
        const DWORD connected = AwaitClient(listening_.Get(), applier_.Stop());
        if (Stopped(applier_.Stop())) break;
        if (connected == ERROR_SUCCESS) {
            Serve(listening_);
        } else if (connected == ERROR_NO_DATA) {
            DisconnectNamedPipe(listening_.Get());  // it came and went: listen again on this one
        } else {
            listening_.Reset();
            WaitForSingleObject(applier_.Stop(), kRetryMs);
        }
    }
    listening_.Reset();
    applier_.WakeAll();
}

void CSettingPipe::Serve(CFileHandle& instance) {
    auto* connection = new Connection{this, instance.Get()};
    InterlockedIncrement(&clients_);
    const HANDLE thread = CreateThread(nullptr, 0, ServeConnection, connection, 0, nullptr);
    if (thread == nullptr) {
        // Nobody serves it: the client is let go and the instance listens again.
        InterlockedDecrement(&clients_);
        delete connection;
        DisconnectNamedPipe(instance.Get());
        return;
    }
    CloseHandle(thread);
    instance.Release();  // the thread owns it now
}

DWORD WINAPI CSettingPipe::ServeConnection(LPVOID parameter) {
    const Connection connection = *static_cast<Connection*>(parameter);
    delete static_cast<Connection*>(parameter);
    connection.server->ServeClientOn(connection.pipe);
    return 0;
}

void CSettingPipe::ServeClientOn(HANDLE pipe) {
    CFileHandle instance(pipe);
    RequestClient client;
    if (ReadPipeClientProcess(pipe, client) && applier_.Connect(client.sessionId)) {
        ServeClient(pipe, client, users_, applier_);
        applier_.Disconnect(client.sessionId);
    }
    DisconnectNamedPipe(pipe);
    instance.Reset();
    InterlockedDecrement(&clients_);
    SetEvent(clientEnded_.Get());
}

bool CSettingPipe::AwaitClients(DWORD limitMs, void (*progress)()) {
    const ULONGLONG end = GetTickCount64() + limitMs;
    while (clients_ > 0) {
        const ULONGLONG now = GetTickCount64();
        if (now >= end) return false;
        WaitForSingleObject(clientEnded_.Get(), static_cast<DWORD>(end - now < 1000 ? end - now : 1000));
        progress();
    }
    return true;
}
