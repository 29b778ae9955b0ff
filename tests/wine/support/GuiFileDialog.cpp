#include <windows.h>
#include <dlgs.h>

#include "tests/wine/support/GuiDriver.h"

namespace gui {

namespace {

// The file name field: the combo box's edit (Explorer style) or the plain edit.
HWND FileNameField(HWND dialog) {
    if (HWND combo = FindChild(dialog, cmb13)) return FindChildByClass(combo, L"Edit");
    return FindChild(dialog, edt1);
}

}  // namespace

HWND WaitForFileDialog(DWORD processId, HWND except, DWORD timeoutMs) {
    return WaitForDialog(processId, [&](HWND w) { return w != except && FileNameField(w) != nullptr; }, timeoutMs);
}

Outcome EnterFileName(HWND dialog, const std::wstring& name) {
    const HWND field = FileNameField(dialog);
    if (field == nullptr) return AssertionFailure() << WindowName(dialog) << " has no file name field";
    const Outcome set = SetText(field, name);
    if (!set) return set;
    const Outcome clicked = Click(GetDlgItem(dialog, IDOK));
    if (clicked && IsWindow(dialog)) Sync(dialog);  // a dialog that stays has handled the click
    return clicked;
}

}  // namespace gui
