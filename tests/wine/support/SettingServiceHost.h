#pragma once
// The setting service in the test prefix, registered as the package's
// ServiceInstall row registers it: own process, automatic start,
// LocalSystem, bin\Tolvik_NetworkSettingService.exe by full path. Wine
// keeps services only while the prefix has a process: the test is one.
// Each wait is bounded (30 s); no verdict rests on its length.
#include <windows.h>

#include <gtest/gtest.h>

namespace testsupport {

// Removes a registration left by an earlier run first.
::testing::AssertionResult RegisterSettingService();
// Stops the service if it runs and deletes its registration.
void RemoveSettingService();
SERVICE_STATUS_PROCESS SettingServiceStatus();
// Each returns the state reached: SERVICE_RUNNING, SERVICE_STOPPED, or
// the last one read when the time was up.
DWORD StartSettingService();
DWORD StopSettingService();

}  // namespace testsupport
