#pragma once
#include <windows.h>

#include "applier/ApplierPlan.h"
#include "applier/win/CommandRunner.h"

// Runs what one plan asks for: the connection's DNS suffix, every setting
// command whatever the earlier ones did, the pause, then the renewal, each
// within `scope`. Once the scope's stop is set (never for the applier) no
// further command starts, a running one is ended, the pause ends at once
// and the renewal is skipped. True when the suffix was set, every command
// ran to its end and the run was not stopped.
bool RunPlan(const ApplierPlan& plan, const CommandScope& scope);
