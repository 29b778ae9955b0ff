// Tolvik_NetworkSetting: applies the IPv4 part of a profile with netsh and
// ipconfig, elevated, then tells the main program's window it has finished.
#include <windows.h>

#include "app/Messages.h"
#include "app/win/WindowsVersion.h"
#include "applier/ApplierPlan.h"
#include "applier/win/CommandRunner.h"

namespace {

// Opens (or, when no switch is in progress, creates) the block and copies it.
bool CopyHandoffBlock(HandoffImage& copy) {
    HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                        static_cast<DWORD>(kHandoffSize),
                                        reinterpret_cast<const wchar_t*>(kHandoffBlockName));
    if (mapping == nullptr) return false;
    void* view = MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0);
    if (view == nullptr) {
        CloseHandle(mapping);
        return false;
    }
    CopyMemory(copy.data(), view, kHandoffSize);
    UnmapViewOfFile(view);
    CloseHandle(mapping);
    return true;
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
