#pragma once
#include <windows.h>

#include <vector>

#include "framework/Text.h"
#include "framework/win/UniqueHandle.h"
#include "service/win/RequestApplier.h"

// CreateNamedPipeW of kernel32; tests record the calls in its place.
using CreateNamedPipeCall = HANDLE(WINAPI*)(LPCWSTR, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, LPSECURITY_ATTRIBUTES);
extern CreateNamedPipeCall createNamedPipe;

// Instances of the setting pipe, each served on a thread of its own, so
// that a client that stalls keeps no other one waiting.
inline constexpr DWORD kPipeInstances = 4;

// \\.\pipe\Tolvik_NetworkSetting, served until the stop event is set.
class CSettingPipe {
public:
    explicit CSettingPipe(HANDLE stop);
    CSettingPipe(const CSettingPipe&) = delete;
    CSettingPipe& operator=(const CSettingPipe&) = delete;

    // Makes every instance with the security descriptor `sddl`.
    // ERROR_SUCCESS, or the error that kept the pipe from being made
    // (another process holding the name: ERROR_ACCESS_DENIED).
    DWORD Create(const Text& sddl);
    // Serves the instances made until the stop event is set, and returns
    // once every instance has ended.
    void Serve();

private:
    struct Instance {
        CFileHandle pipe;
        CRequestApplier* applier = nullptr;
        CKernelHandle thread;
    };
    static DWORD WINAPI ServeInstance(LPVOID parameter);

    CRequestApplier applier_;
    std::vector<Instance> instances_;
};
