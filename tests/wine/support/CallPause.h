#pragma once
// Debugs a running program and holds it still when one of its threads calls
// a given function with a given text as its second argument: `action` runs
// while the whole program stands at that call, then the program goes on and
// is no longer debugged. Lets a test act at an exact point between two
// steps of the program (another program grabbing a file the program has just
// written, say) without any race.
#include <windows.h>

#include <functional>
#include <string>
#include <thread>

#include "framework/win/Event.h"

class CCallPause {
public:
    // `function` is an export of `module` ("advapi32.dll", "RegSetValueExW"),
    // found in the program where it lies in this process.
    CCallPause(DWORD processId, const wchar_t* module, const char* function, std::wstring secondArgument,
               std::function<void()> action);
    ~CCallPause();
    CCallPause(const CCallPause&) = delete;
    CCallPause& operator=(const CCallPause&) = delete;

    bool WaitArmed(DWORD timeoutMs) const { return WaitForSingleObject(armed_.Handle(), timeoutMs) == WAIT_OBJECT_0; }
    bool WaitDone(DWORD timeoutMs) const { return WaitForSingleObject(done_.Handle(), timeoutMs) == WAIT_OBJECT_0; }

private:
    void Debug();
    bool Arm(HANDLE process);
    // The breakpoint was hit by `threadId`: the action runs when the call is
    // the one wanted; true when it did.
    bool OnBreakpoint(HANDLE process, DWORD threadId);
    bool SecondArgumentMatches(HANDLE process, const CONTEXT& context) const;

    DWORD processId_;
    BYTE* target_;
    BYTE original_ = 0;
    std::wstring secondArgument_;
    std::function<void()> action_;
    CEvent armed_, done_, stop_;
    std::thread debugger_;
};
