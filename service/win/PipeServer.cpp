#include "service/win/PipeServer.h"

#include <sddl.h>

#include "applier/SettingRequest.h"
#include "framework/win/WideText.h"
#include "service/win/PipeIo.h"
#include "service/win/PipeSession.h"

CreateNamedPipeCall createNamedPipe = CreateNamedPipeW;

namespace {

// The reply is the only message the service writes.
constexpr DWORD kOutBufferSize = 64;

// Only the first instance may make the pipe: an existing pipe of the
// name belongs to someone else.
HANDLE CreateInstance(bool first, SECURITY_ATTRIBUTES& security) {
    const DWORD open = PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | (first ? FILE_FLAG_FIRST_PIPE_INSTANCE : 0);
    const DWORD mode = PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS;
    return createNamedPipe(WPtr(kSettingPipeName), open, mode, kPipeInstances, kOutBufferSize,
                            static_cast<DWORD>(kSettingRequestSize), 0, &security);
}

}  // namespace

CSettingPipe::CSettingPipe(HANDLE stop) : applier_(stop), instances_(kPipeInstances) {}

DWORD CSettingPipe::Create(const Text& sddl) {
    CLocalMemory descriptor;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(
            WPtr(sddl), SDDL_REVISION_1, reinterpret_cast<PSECURITY_DESCRIPTOR*>(descriptor.Receive()), nullptr))
        return GetLastError();
    SECURITY_ATTRIBUTES security{sizeof(security), descriptor.Get(), FALSE};
    for (Instance& instance : instances_) {
        instance.pipe.Reset(CreateInstance(&instance == &instances_.front(), security));
        if (!instance.pipe.Valid()) return GetLastError();
        instance.applier = &applier_;
    }
    return ERROR_SUCCESS;
}

void CSettingPipe::Serve() {
    std::vector<HANDLE> threads;
    for (Instance& instance : instances_) {
        if (!instance.pipe.Valid()) continue;
        instance.thread.Reset(CreateThread(nullptr, 0, ServeInstance, &instance, 0, nullptr));
        if (instance.thread.Valid()) threads.push_back(instance.thread.Get());
    }
    WaitForSingleObject(applier_.Stop(), INFINITE);
    if (!threads.empty()) WaitForMultipleObjects(static_cast<DWORD>(threads.size()), threads.data(), TRUE, INFINITE);
}

DWORD WINAPI CSettingPipe::ServeInstance(LPVOID parameter) {
    Instance& instance = *static_cast<Instance*>(parameter);
    const HANDLE pipe = instance.pipe.Get();
    while (AwaitClient(pipe, instance.applier->Stop())) {
        ServeClient(pipe, *instance.applier);
        DisconnectNamedPipe(pipe);
    }
    return 0;
}
