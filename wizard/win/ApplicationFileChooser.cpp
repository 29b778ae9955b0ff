#include "wizard/win/ApplicationFileChooser.h"

#include <objbase.h>
#include <shobjidl.h>

#include <memory>

#include "framework/win/ComRef.h"
#include "framework/win/MessageLoop.h"
#include "profile/win/FileHandle.h"
#include "wizard/RunAppRules.h"

namespace {

struct TaskMemFree {
    void operator()(wchar_t* text) const { CoTaskMemFree(text); }
};
using TaskMemText = std::unique_ptr<wchar_t, TaskMemFree>;

const wchar_t* Wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }

bool Prepare(IFileOpenDialog* dialog) {
    const COMDLG_FILTERSPEC anyFile = {Wide(runapp::kAnyFile.name), Wide(runapp::kAnyFile.pattern)};
    FILEOPENDIALOGOPTIONS options = 0;
    return SUCCEEDED(dialog->SetFileTypes(1, &anyFile)) && SUCCEEDED(dialog->GetOptions(&options)) &&
           SUCCEEDED(dialog->SetOptions(options | FOS_FILEMUSTEXIST));
}

bool ChosenPath(IFileOpenDialog* dialog, std::wstring* path) {
    ComRef<IShellItem> item;
    if (FAILED(dialog->GetResult(item.Out()))) return false;
    wchar_t* name = nullptr;
    if (FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, &name))) return false;
    const TaskMemText owned(name);
    *path = owned.get();
    return true;
}

bool ShowChooser(HWND owner, std::wstring* path) {
    ComRef<IFileOpenDialog> dialog;
    if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IFileOpenDialog,
                                dialog.OutVoid())))
        return false;
    if (!Prepare(dialog.Get()) || dialog->Show(owner) != S_OK) return false;
    return ChosenPath(dialog.Get(), path);
}

struct ChooserRun {
    HWND owner;
    std::wstring path;
    bool chosen;
};

// The dialog lives in a single-threaded apartment of its own: the window
// thread has joined the multi-threaded one for WMI.
DWORD WINAPI ChooserThread(void* parameter) {
    auto* run = static_cast<ChooserRun*>(parameter);
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (SUCCEEDED(com)) {
        run->chosen = ShowChooser(run->owner, &run->path);
        CoUninitialize();
    }
    return 0;
}

}  // namespace

bool ChooseApplicationFile(HWND owner, std::wstring* path) {
    ChooserRun run{owner, std::wstring(), false};
    CFileHandle thread(CreateThread(nullptr, 0, &ChooserThread, &run, 0, nullptr));
    if (!thread.Valid()) return false;
    // The owner stays painted while the dialog is up.
    if (!msgloop::PumpUntilSignalled(thread.Get())) WaitForSingleObject(thread.Get(), INFINITE);
    if (run.chosen) *path = run.path;
    return run.chosen;
}
