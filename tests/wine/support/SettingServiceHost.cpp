#include "tests/wine/support/SettingServiceHost.h"

#include "applier/SettingRequest.h"
#include "framework/win/UniqueHandle.h"
#include "framework/win/WideText.h"
#include "service/ServiceRegistration.h"
#include "tests/wine/support/TestSupport.h"

namespace testsupport {

namespace {

constexpr DWORD kStateLimitMs = 30000;
constexpr DWORD kPollMs = 50;

CServiceHandle Manager() { return CServiceHandle(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS)); }

CServiceHandle SettingService() {
    return CServiceHandle(OpenServiceW(Manager().Get(), WPtr(kSettingServiceName), SERVICE_ALL_ACCESS));
}

DWORD AwaitState(DWORD state) {
    DWORD now = SettingServiceStatus().dwCurrentState;
    for (DWORD waited = 0; now != state && waited < kStateLimitMs; waited += kPollMs) {
        Sleep(kPollMs);
        now = SettingServiceStatus().dwCurrentState;
    }
    return now;
}

}  // namespace

std::wstring SettingServiceProgram() { return L"\"" + ExeDir() + L"\\Tolvik_NetworkSettingService.exe\""; }

::testing::AssertionResult RegisterSettingService(const std::wstring& commandLine) {
    RemoveSettingService();
    CServiceHandle service(CreateServiceW(Manager().Get(), WPtr(kSettingServiceName),
                                          WPtr(kSettingServiceDisplayName), SERVICE_ALL_ACCESS,
                                          SERVICE_WIN32_OWN_PROCESS, SERVICE_AUTO_START, SERVICE_ERROR_NORMAL,
                                          commandLine.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr));
    if (!service.Valid()) return ::testing::AssertionFailure() << "CreateServiceW: " << GetLastError();
    SERVICE_DESCRIPTIONW description{const_cast<wchar_t*>(WPtr(kSettingServiceDescription))};
    ChangeServiceConfig2W(service.Get(), SERVICE_CONFIG_DESCRIPTION, &description);
    return ::testing::AssertionSuccess();
}

bool SettingServiceRegistered() { return SettingService().Valid(); }

void RemoveSettingService() {
    CServiceHandle service = SettingService();
    if (!service.Valid()) return;
    StopSettingService();
    DeleteService(service.Get());
}

SERVICE_STATUS_PROCESS SettingServiceStatus() {
    SERVICE_STATUS_PROCESS status{};
    DWORD size = 0;
    QueryServiceStatusEx(SettingService().Get(), SC_STATUS_PROCESS_INFO, reinterpret_cast<BYTE*>(&status),
                         sizeof(status), &size);
    return status;
}

DWORD StartSettingService() {
    StartServiceW(SettingService().Get(), 0, nullptr);
    return AwaitState(SERVICE_RUNNING);
}

DWORD StopSettingService() {
    SERVICE_STATUS status{};
    ControlService(SettingService().Get(), SERVICE_CONTROL_STOP, &status);
    return AwaitState(SERVICE_STOPPED);
}

std::wstring PublishedSettingPipe() {
    const std::wstring name = RegistryString(HKEY_LOCAL_MACHINE, W(kServiceSettingsKey), WPtr(kServicePipeValue));
    return name == L"(none)" ? std::wstring() : name;
}

CRunningSettingService::CRunningSettingService(const std::wstring& commandLine) {
    registered_ = users_.SetString(HKEY_LOCAL_MACHINE, W(kServiceSettingsKey), WPtr(kServiceUsersValue), L"interactive");
    if (registered_) registered_ = RegisterSettingService(commandLine);
    if (registered_) state_ = StartSettingService();
}

::testing::AssertionResult CRunningSettingService::Running() const {
    if (!registered_) return registered_;
    if (state_ != SERVICE_RUNNING) return ::testing::AssertionFailure() << "the service's state is " << state_;
    return ::testing::AssertionSuccess();
}

}  // namespace testsupport
