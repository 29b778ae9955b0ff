#pragma once
#include <windows.h>

#include <string>

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
    CInstanceMutex toolMutex_;
    int exitCode_ = 0;
};

// The tool's window over the data file of the programs in `programFolder`,
// until it is closed: kExitDone; kExitDataFile, with a message box and no
// window, when the user may not write the data file or it cannot be read.
int RunToolWindow(const std::wstring& programFolder);
