#pragma once
// The setting service in the test's prefix, registered as the package's
// service row registers it (own process, automatic start, LocalSystem, the
// program by its full path), started, stopped and removed. Services live
// while the prefix has a process: the test program is one.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace testsupport {

// The stand-ins that the service runs know nothing of a test's
// environment: they record into their default log.
inline constexpr wchar_t kServiceRecordLog[] = L"C:\\ortivo-record.log";

// The service's command line: the real program beside the tests, quoted.
std::wstring SettingServiceProgram();

::testing::AssertionResult RegisterSettingService(const std::wstring& commandLine = SettingServiceProgram());
bool SettingServiceRegistered();
SERVICE_STATUS_PROCESS SettingServiceStatus();

// The service's configuration as the service control manager keeps it
// (all empty when it cannot be read).
struct SettingServiceConfig {
    DWORD type = 0;
    DWORD start = 0;
    DWORD errorControl = 0;
    std::wstring program;  // the command line, as registered
    std::wstring account;
    std::wstring displayName;
};
SettingServiceConfig ReadSettingServiceConfig();
// Each returns the state once it is the one asked for, or the last one
// read when the time is up.
DWORD StartSettingService();
DWORD StopSettingService();
// Stops it first; nothing happens when no service is registered.
void RemoveSettingService();

// The service registered and started for one scope, removed at its end
// (an automatic service left behind would start with the next test's prefix).
class CRunningSettingService {
public:
    explicit CRunningSettingService(const std::wstring& commandLine = SettingServiceProgram());
    ~CRunningSettingService() { RemoveSettingService(); }
    CRunningSettingService(const CRunningSettingService&) = delete;
    CRunningSettingService& operator=(const CRunningSettingService&) = delete;

    // Registered and running.
    ::testing::AssertionResult Running() const;

private:
    ::testing::AssertionResult registered_ = ::testing::AssertionFailure();
    DWORD state_ = 0;
};

}  // namespace testsupport
