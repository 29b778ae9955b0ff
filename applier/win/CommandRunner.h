#pragma once
#include <windows.h>

#include "applier/ApplierPlan.h"

// How long one command may run before it is ended and counted as failed.
inline constexpr DWORD kCommandBoundMs = 60000;

// What a command runs within: `stop` (may be NULL), an event that ends a
// running command at once and keeps any further one from starting; `job`
// (may be NULL), a job object that the command's process is put into, so
// that whatever the command started ends with the job's owner.
struct CommandScope {
    HANDLE stop = nullptr;
    HANDLE job = nullptr;
};

// A job object whose processes are ended when its last handle closes: a
// program's commands end with the program.
HANDLE CreateCommandJob();

// Runs one command without a console window, with the system directory as
// its current directory, and waits for it at most `boundMs`; a command
// still running then, or when the scope's stop is set, is terminated. The
// program is taken from the system directory by full path, never through
// the search path; the command line text stays as planned. True when the
// command was started and ended by itself within the bound (its exit code
// is not read: netsh reports settings that are already in force as errors).
bool RunHidden(const ApplierCommand& command, const CommandScope& scope, DWORD boundMs = kCommandBoundMs);

// Passes one trace line to the debugger output.
void Trace(const Text& line);
