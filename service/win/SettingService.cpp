#include "service/win/SettingService.h"

#include "applier/SettingRequest.h"
#include "framework/win/Event.h"
#include "framework/win/WideText.h"
#include "service/PipeSecurity.h"
#include "service/win/PipeServer.h"
#include "service/win/UsersChoice.h"

namespace {

// How long the manager is told a start or a stop may take. A stop ends
// every wait at once but lets a command that is running end (60 s at most).
constexpr DWORD kPendingHintMs = 3000;

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

DWORD WINAPI Control(DWORD control, DWORD, LPVOID, LPVOID) {
    switch (control) {
        case SERVICE_CONTROL_STOP:
        case SERVICE_CONTROL_SHUTDOWN:
            Report(SERVICE_STOP_PENDING);
            SetEvent(stopEvent);
            return NO_ERROR;
        case SERVICE_CONTROL_INTERROGATE: return NO_ERROR;
        default: return ERROR_CALL_NOT_IMPLEMENTED;
    }
}

}  // namespace

void WINAPI SettingServiceMain(DWORD, LPWSTR*) {
    static CEvent stop;
    stopEvent = stop.Handle();
    statusHandle = RegisterServiceCtrlHandlerExW(WPtr(kSettingServiceName), Control, nullptr);
    if (statusHandle == nullptr) return;
    Report(SERVICE_START_PENDING);
    CSettingPipe pipe(stopEvent);
    // The pipe is made before the service reports running, so that a
    // client never finds the service running without it.
    const DWORD created = pipe.Create(SettingPipeSddl(ReadUsersChoice()));
    if (created != ERROR_SUCCESS) {
        Report(SERVICE_STOPPED, created);
        return;
    }
    Report(SERVICE_RUNNING);
    pipe.Serve();
    Report(SERVICE_STOPPED);
}
