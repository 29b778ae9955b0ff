#include "applier/win/PlanRunner.h"

#include "applier/win/ConnectionSuffix.h"

namespace {

// False when the command could not be started, did not end in its bound
// or was stopped.
bool TraceAndRun(const ApplierCommand& command, const CommandScope& scope) {
    Trace(command.label);
    Trace(command.commandLine + u"\n");
    return RunHidden(command, scope);
}

// False when `stop` was set before the pause was over.
bool Pause(HANDLE stop) {
    if (stop == nullptr) {
        Sleep(kApplierPauseMs);
        return true;
    }
    return WaitForSingleObject(stop, kApplierPauseMs) == WAIT_TIMEOUT;
}

// False when the suffix could not be set.
bool TraceAndSetSuffix(const SuffixSetting& setting) {
    Trace(u"DNS[Suffix]");
    Trace(setting.suffix + u"\n");
    return SetConnectionSuffix(setting);
}

}  // namespace

bool RunPlan(const ApplierPlan& plan, const CommandScope& scope) {
    bool ran = true;
    if (plan.suffix) ran &= TraceAndSetSuffix(*plan.suffix);
    for (const ApplierCommand& command : plan.settings) ran &= TraceAndRun(command, scope);
    if (plan.pause && !Pause(scope.stop)) return false;
    if (plan.renewal) ran &= TraceAndRun(*plan.renewal, scope);
    return ran;
}
