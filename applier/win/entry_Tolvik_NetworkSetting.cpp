// Tolvik_NetworkSetting: applies the IPv4 part of a profile with netsh and
// ipconfig, elevated, then tells the main program's window it has finished.
#include <windows.h>

#include "app/Messages.h"
#include "app/win/WindowsVersion.h"
#include "applier/ApplierPlan.h"
#include "applier/win/CommandRunner.h"
#include "switching/win/HandoffBlock.h"

namespace {

// Opens (or, when no switch is in progress, creates) the block and copies it.
// The applier never writes into the block.
bool CopyHandoffBlock(HandoffImage& copy) {
    HANDLE mapping = OpenHandoffBlock();
    if (mapping == nullptr) return false;
    bool copied = false;
    {
        HandoffView view(mapping);
        if (view.Data() != nullptr) {
            CopyMemory(copy.data(), view.Data(), kHandoffSize);
            copied = true;
        }
    }
    CloseHandle(mapping);
    return copied;
}

void TraceAndRun(const ApplierCommand& command) {
    Trace(command.label);
    Trace(command.commandLine + u"\n");
    RunHidden(command);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    HandoffImage copy{};
    if (!IsWindows7OrLater()) return -1;
    if (!CopyHandoffBlock(copy)) return -1;

    const ApplierPlan plan = PlanApplierRun(ReadHandoffImage(copy));
    Trace(u"Setting Start.\n");
    for (const ApplierCommand& command : plan.settings) TraceAndRun(command);
    if (plan.pause) Sleep(kApplierPauseMs);
    if (plan.renew) TraceAndRun(RenewCommand());
    Trace(u"Setting End.\n");

    if (plan.notify) {
        HWND window = static_cast<HWND>(LongToHandle(static_cast<LONG>(plan.window32)));
        SendMessageW(window, kMsgApplierFinished, 0, 0);
    }
    return 0;
}
