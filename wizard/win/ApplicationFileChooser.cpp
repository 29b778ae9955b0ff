#include "wizard/win/ApplicationFileChooser.h"

#include <objbase.h>
#include <shobjidl.h>

#include "framework/win/ApartmentCall.h"
#include "framework/win/ComRef.h"
#include "framework/win/TaskMemory.h"
#include "wizard/RunAppRules.h"

namespace {

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
    const CTaskMemory<wchar_t> owned(name);
    *path = owned.Get();
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

}  // namespace

bool ChooseApplicationFile(HWND owner, std::wstring* path) {
    // The dialog lives in a single-threaded apartment of its own (the window
    // thread has joined the multithreaded one for WMI); the owner stays
    // painted while it is up.
    std::wstring chosenPath;
    const bool chosen = CallInOwnApartment([&] { return ShowChooser(owner, &chosenPath); }, WhileWaiting::pumpMessages);
    if (chosen) *path = chosenPath;
    return chosen;
}
