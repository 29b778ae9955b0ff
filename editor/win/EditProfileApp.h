#pragma once
#include <windows.h>

#include "app/win/InstanceMutex.h"
#include "framework/win/WinApp.h"

// The bulk-edit tool's application object. It holds the tool's mutex from
// its first step to its end, refuses to run beside Ortivo, hands a second
// start over to the running tool, and then either opens its window or
// carries out the command line of a deployment script.
class CEditProfileApp : public CWinApp {
public:
    bool InitInstance() override;  // always false: the work is done when it returns
    int ExitInstance() override;   // the process's exit code (CommandRun.h)

private:
    int RunWindow();

    CInstanceMutex toolMutex_;
    int exitCode_ = 0;
};
