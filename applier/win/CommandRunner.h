#pragma once
#include <windows.h>

#include "applier/ApplierPlan.h"

// Runs one command hidden and waits for it without a time limit.
// The program is taken from the system directory by full path, never
// through the search path; the command line text stays as planned.
// Returns CreateProcessW's result; nobody depends on it.
BOOL RunHidden(const ApplierCommand& command);

// Passes one trace line to the debugger output.
void Trace(const Text& line);
