#pragma once
#include <windows.h>

#include "applier/ApplierPlan.h"

// Runs what one plan asks for: every setting command whatever the earlier
// ones did, the pause, then the renewal. `stop` (none for the applier) is
// an event that ends the pause at once; a stopped run skips the renewal.
// True when every command ran to its end and the pause was not cut short.
bool RunPlan(const ApplierPlan& plan, HANDLE stop = nullptr);
