#pragma once
#include <windows.h>

// The service's main function for the service control manager: reports
// its start, serves the setting pipe until it is told to stop (or the
// system shuts down), and reports it stopped with the pipe's error, if
// any.
void WINAPI SettingServiceMain(DWORD argc, LPWSTR* argv);
