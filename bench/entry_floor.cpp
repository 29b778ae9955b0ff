// The floor of the start-up benchmark: the platform work every start of the
// main program needs (common controls, COM with the WMI connection, the
// taskbar identity), then the main dialog's template shown as it is. What
// the main program spends beyond this is its own.
#include <windows.h>
#include <commctrl.h>
#include <shobjidl.h>

#include "app/win/JumpListManager.h"
#include "resources/resource.h"
#include "system/win/WMIAccess.h"

namespace {

INT_PTR CALLBACK FloorDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL) return FALSE;
            DestroyWindow(dialog);
            return TRUE;
        case WM_CLOSE:
            DestroyWindow(dialog);
            return TRUE;
        case WM_DESTROY:
            PostQuitMessage(0);
            return TRUE;
        default:
            return FALSE;
    }
}

int RunDialog(HINSTANCE instance) {
    HWND dialog =
        CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_TOLVIK_NETWORK_DIALOG), nullptr, FloorDialogProc, 0);
    if (dialog == nullptr) return 1;
    ShowWindow(dialog, SW_SHOW);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(dialog, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    CWMIAccess wmi;
    if (wmi.Connect() != 0) return 1;
    const HRESULT com = CoInitialize(nullptr);
    SetCurrentProcessExplicitAppUserModelID(kTaskbarIdentity);
    const int result = RunDialog(instance);
    if (SUCCEEDED(com)) CoUninitialize();
    return result;
}
