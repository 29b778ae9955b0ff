#include "service/win/SettingService.h"

#include "applier/SettingRequest.h"
#include "applier/win/CommandRunner.h"
#include "framework/win/Event.h"
#include "framework/win/WideText.h"
#include "service/PipeSecurity.h"
#include "service/win/PipePublication.h"
#include "service/win/PipeServer.h"
#include "service/win/ProfileSource.h"
#include "service/win/RequestLog.h"
#include "service/win/ServiceRecovery.h"
#include "service/win/UsersChoice.h"

namespace {

// How long the manager is told a start or a step of the stop may take; a
// stop advances its checkpoint every second.
constexpr DWORD kPendingHintMs = 3000;
// How long a stop waits for the clients' threads (a running command is
// ended at once); the service reports itself stopped within this, well
// inside the 30 s that the system and the package give a stop.
constexpr DWORD kStopLimitMs = 20000;
// How long a stop waits for the profile source's look that is under way.
constexpr DWORD kSourceStopLimitMs = 5000;
// A new name is drawn this often when the pipe cannot be made under one.
constexpr int kNameAttempts = 3;

SERVICE_STATUS_HANDLE statusHandle = nullptr;
HANDLE stopEvent = nullptr;
DWORD checkPoint = 0;

void Report(DWORD state, DWORD exitCode = NO_ERROR) {
    SERVICE_STATUS status{};
    status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    status.dwCurrentState = state;
    status.dwControlsAccepted = state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP | SERVICE_ACCEPT_SHUTDOWN : 0;
    status.dwWin32ExitCode = exitCode;
    const bool pending = state == SERVICE_START_PENDING || state == SERVICE_STOP_PENDING;
    status.dwCheckPoint = pending ? ++checkPoint : 0;
    status.dwWaitHint = pending ? kPendingHintMs : 0;
    SetServiceStatus(statusHandle, &status);
}

void ReportStopping() { Report(SERVICE_STOP_PENDING); }

DWORD WINAPI Control(DWORD control, DWORD, LPVOID, LPVOID) {
    switch (control) {
        case SERVICE_CONTROL_STOP:
        case SERVICE_CONTROL_SHUTDOWN:
            ReportStopping();
            SetEvent(stopEvent);
            return NO_ERROR;
        case SERVICE_CONTROL_INTERROGATE: return NO_ERROR;
        default: return ERROR_CALL_NOT_IMPLEMENTED;
    }
}

DWORD WINAPI WatchSource(LPVOID) {
    WatchProfileSource(stopEvent);
    return 0;
}

// Makes the pipe under a new random name, and publishes the name.
DWORD CreatePipe(CSettingPipe& pipe) {
    DWORD created = ERROR_ACCESS_DENIED;
    for (int attempt = 0; attempt < kNameAttempts && created != ERROR_SUCCESS; ++attempt) {
        const Text name = NewSettingPipeName();
        if (name.empty()) return NTE_FAIL;
        created = pipe.Create(name, SettingPipeSddl());
        if (created == ERROR_SUCCESS && !PublishSettingPipe(name)) return ERROR_CANTWRITE;
    }
    return created;
}

}  // namespace

void WINAPI SettingServiceMain(DWORD, LPWSTR*) {
    static CEvent stop;
    stopEvent = stop.Handle();
    statusHandle = RegisterServiceCtrlHandlerExW(WPtr(kSettingServiceName), Control, nullptr);
    if (statusHandle == nullptr) return;
    Report(SERVICE_START_PENDING);
    ConfigureRestartOnFailure();
    // Whatever the commands leave running ends with the service.
    const CKernelHandle job(CreateCommandJob());
    CSettingPipe pipe(CommandScope{stopEvent, job.Get()}, ReadServiceUsers());
    // The pipe is made and published before the service reports running,
    // so that a client never finds the service running without it.
    const DWORD created = CreatePipe(pipe);
    if (created != ERROR_SUCCESS) {
        Report(SERVICE_STOPPED, created);
        return;
    }
    Report(SERVICE_RUNNING);
    const CKernelHandle source(CreateThread(nullptr, 0, WatchSource, nullptr, 0, nullptr));
    pipe.Listen();
    WithdrawSettingPipe();
    const bool ended = pipe.AwaitClients(kStopLimitMs, ReportStopping) &&
                       (!source.Valid() || WaitForSingleObject(source.Get(), kSourceStopLimitMs) == WAIT_OBJECT_0);
    LogLeftOutRequests();
    Report(SERVICE_STOPPED);
    // A thread that has not ended still uses the pipe's state or the data
    // file: the process ends here, and the job with it ends any command.
    if (!ended) ExitProcess(ERROR_TIMEOUT);
}
