#pragma once
#include <windows.h>

#include "applier/ApplierPlan.h"

// How long one command may run before it is ended and counted as failed.
inline constexpr DWORD kCommandBoundMs = 60000;

// Runs one command without a console window and waits for it at most
// `boundMs`; a command still running then is terminated. The program is
// taken from the system directory by full path, never through the search
// path; the command line text stays as planned. True when the command was
// started and ended by itself within the bound (its exit code is not read:
// netsh reports settings that are already in force as errors).
bool RunHidden(const ApplierCommand& command, DWORD boundMs = kCommandBoundMs);

// Passes one trace line to the debugger output.
void Trace(const Text& line);
