// Tolvik_NetworkSetting: applies the IPv4 part of a profile with netsh and
// ipconfig, elevated, then tells the main program's window it has finished.
// Its one argument is the digest of the block the main program wrote: a
// block changed by anyone else after that is never applied.
#include <windows.h>

#include "app/Messages.h"
#include "app/win/WindowsVersion.h"
#include "applier/ApplierPlan.h"
#include "applier/win/CommandRunner.h"
#include "applier/win/PlanRunner.h"
#include "applier/win/SystemDllSearch.h"
#include "framework/win/UniqueHandle.h"
#include "switching/win/HandoffBlock.h"

namespace {

// How long the main program's window may take to handle the notification.
constexpr UINT kNotifyTimeoutMs = 10000;

// Exit codes: the block was not there, not readable or not the one the
// digest names; the profile was refused or a command failed (nothing is
// reported to the window then).
constexpr int kExitNoBlock = -1;
constexpr int kExitNotApplied = 1;

// Copies the block that the main program holds open: at most as many bytes
// as a block can have, cut to the size its own length gives. The applier
// never writes into the block.
bool CopyHandoffBlock(HandoffImage& copy) {
    CKernelHandle mapping(OpenHandoffBlockForReading());
    if (!mapping.Valid()) return false;
    HandoffView view(mapping.Get(), FILE_MAP_READ);
    if (view.Data() == nullptr) return false;
    const SIZE_T available = view.Size() < kHandoffMaxSize ? view.Size() : kHandoffMaxSize;
    copy.assign(static_cast<const uint8_t*>(view.Data()), static_cast<const uint8_t*>(view.Data()) + available);
    copy.resize(HandoffImageSize(copy.data(), copy.size()));
    return !copy.empty();
}

// Tells the main program's window that the settings have been applied. A
// window that does not answer (hung, or its thread not pumping) never keeps
// this elevated process alive.
void NotifyFinished(uint32_t window32) {
    HWND window = static_cast<HWND>(LongToHandle(static_cast<LONG>(window32)));
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, kMsgApplierFinished, 0, 0, SMTO_ABORTIFHUNG, kNotifyTimeoutMs, &ignored);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    LoadDllsFromSystemDirectoryOnly();
    HandoffImage copy;
    if (!IsWindows7OrLater()) return kExitNoBlock;
    if (!CopyHandoffBlock(copy)) return kExitNoBlock;
    if (!IsDigestOfBlock(reinterpret_cast<const char16_t*>(GetCommandLineW()), copy)) return kExitNoBlock;

    const ApplierPlan plan = PlanApplierRun(ReadHandoffImage(copy));
    if (plan.refused) return kExitNotApplied;
    Trace(u"Setting Start.\n");
    // Whatever the commands leave running ends with the applier.
    const CKernelHandle job(CreateCommandJob());
    const bool ran = RunPlan(plan, CommandScope{nullptr, job.Get()});
    Trace(u"Setting End.\n");
    if (!ran) return kExitNotApplied;

    if (plan.notify) NotifyFinished(plan.window32);
    return 0;
}
