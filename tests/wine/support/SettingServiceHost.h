#pragma once
// The setting service in the test prefix, registered as the package's
// ServiceInstall row registers it: own process, automatic start,
// LocalSystem, bin\Tolvik_NetworkSettingService.exe by full path (or a
// stand-in under the service's name). Wine keeps services only while the
// prefix has a process: the test is one. Each wait is bounded (30 s); no
// verdict rests on its length.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/wine/support/RegistrySeed.h"

namespace testsupport {

// The stand-ins that the service runs know nothing of a test's
// environment: they record into their default log.
inline constexpr wchar_t kServiceRecordLog[] = L"C:\\ortivo-record.log";

// The service's command line: bin\Tolvik_NetworkSettingService.exe, quoted.
std::wstring SettingServiceProgram();

// Removes a registration left by an earlier run first. `commandLine`
// registers another program under the service's name: the recording
// stand-in with /service (tests/wine/standins/).
::testing::AssertionResult RegisterSettingService(const std::wstring& commandLine = SettingServiceProgram());
bool SettingServiceRegistered();
// Stops the service if it runs and deletes its registration.
void RemoveSettingService();
SERVICE_STATUS_PROCESS SettingServiceStatus();
// Each returns the state reached: SERVICE_RUNNING, SERVICE_STOPPED, or
// the last one read when the time was up.
DWORD StartSettingService();
DWORD StopSettingService();
// The pipe name the running service published (empty when there is none).
std::wstring PublishedSettingPipe();

// The service registered and started for one scope, serving interactive
// users as the package's default has it, removed at its end (an automatic
// service left behind would start with the next test's prefix).
class CRunningSettingService {
public:
    explicit CRunningSettingService(const std::wstring& commandLine = SettingServiceProgram());
    ~CRunningSettingService() { RemoveSettingService(); }
    CRunningSettingService(const CRunningSettingService&) = delete;
    CRunningSettingService& operator=(const CRunningSettingService&) = delete;

    // Registered and running.
    ::testing::AssertionResult Running() const;

private:
    CRegistrySeed users_;
    ::testing::AssertionResult registered_ = ::testing::AssertionFailure();
    DWORD state_ = 0;
};

}  // namespace testsupport
