// Tolvik_NetworkSetting: applies the IPv4 part of a profile with netsh and
// ipconfig, elevated, then tells the main program's window it has finished.
#include <windows.h>

#include "app/Messages.h"
#include "app/win/WindowsVersion.h"
#include "applier/ApplierPlan.h"
#include "applier/win/CommandRunner.h"
#include "switching/win/HandoffBlock.h"

namespace {

// How long the main program's window may take to handle the notification.
constexpr UINT kNotifyTimeoutMs = 10000;

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

// Tells the main program's window that the settings have been applied. A
// window that does not answer (hung, or its thread not pumping) never keeps
// this elevated process alive.
void NotifyFinished(uint32_t window32) {
    HWND window = static_cast<HWND>(LongToHandle(static_cast<LONG>(window32)));
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, kMsgApplierFinished, 0, 0, SMTO_ABORTIFHUNG, kNotifyTimeoutMs, &ignored);
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

    if (plan.notify) NotifyFinished(plan.window32);
    return 0;
}
