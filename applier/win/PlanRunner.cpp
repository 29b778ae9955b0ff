#include "applier/win/PlanRunner.h"

#include "applier/win/CommandRunner.h"

namespace {

// False when the command could not be started or did not end in its bound.
bool TraceAndRun(const ApplierCommand& command) {
    Trace(command.label);
    Trace(command.commandLine + u"\n");
    return RunHidden(command);
}

// False when `stop` was set before the pause was over.
bool Pause(HANDLE stop) {
    if (stop == nullptr) {
        Sleep(kApplierPauseMs);
        return true;
    }
    return WaitForSingleObject(stop, kApplierPauseMs) == WAIT_TIMEOUT;
}

}  // namespace

bool RunPlan(const ApplierPlan& plan, HANDLE stop) {
    bool ran = true;
    for (const ApplierCommand& command : plan.settings) ran &= TraceAndRun(command);
    if (plan.pause && !Pause(stop)) return false;
    if (plan.renewal) ran &= TraceAndRun(*plan.renewal);
    return ran;
}
