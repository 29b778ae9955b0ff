// Helper program for the GUI driver test, run as another process.
//   gui_probe error|information|question|warning|plain
//       shows one message box and exits with the button that was pressed;
//   gui_probe controls
//       shows a window "GuiProbe" with an edit, an IP address control and a
//       report list view (GuiTestResource.h) of three rows whose
//       item data is 100, 101, 102; exits when the window is closed.
#include <windows.h>
#include <commctrl.h>

#include <cwchar>

#include "tests/wine/gui/GuiTestResource.h"

namespace {

LRESULT CALLBACK ProbeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND Child(HWND parent, const wchar_t* cls, DWORD style, int id, int y, int height) {
    return CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | WS_BORDER | style, 10, y, 300, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
}

int RunControls() {
    INITCOMMONCONTROLSEX init = {sizeof(init), ICC_INTERNET_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&init);
    WNDCLASSW cls = {};
    cls.lpfnWndProc = ProbeProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = L"GuiProbe";
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    RegisterClassW(&cls);
    HWND window = CreateWindowExW(0, L"GuiProbe", L"GuiProbe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 360, 260,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    Child(window, L"Edit", ES_AUTOHSCROLL, IDC_PROBE_EDIT, 10, 24);
    Child(window, WC_IPADDRESSW, 0, IDC_PROBE_ADDRESS, 44, 24);
    HWND list = Child(window, WC_LISTVIEWW, LVS_REPORT | LVS_SHOWSELALWAYS, IDC_PROBE_LIST, 78, 120);
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 120;
    column.pszText = const_cast<wchar_t*>(L"名前");
    SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    column.pszText = const_cast<wchar_t*>(L"説明");
    SendMessageW(list, LVM_INSERTCOLUMNW, 1, reinterpret_cast<LPARAM>(&column));
    const wchar_t* names[] = {L"ローカル エリア接続", L"無線", L"VPN"};
    for (int i = 0; i < 3; ++i) {
        LVITEMW item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = i;
        item.pszText = const_cast<wchar_t*>(names[i]);
        item.lParam = 100 + i;
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        item.mask = LVIF_TEXT;
        item.iSubItem = 1;
        item.pszText = const_cast<wchar_t*>(L"アダプタ");
        SendMessageW(list, LVM_SETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
    }
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR commandLine, int) {
    if (wcsstr(commandLine, L"controls")) return RunControls();
    UINT type = MB_OK;
    if (wcsstr(commandLine, L"error")) type = MB_ICONERROR;
    if (wcsstr(commandLine, L"information")) type = MB_ICONINFORMATION;
    if (wcsstr(commandLine, L"warning")) type = MB_ICONWARNING;
    if (wcsstr(commandLine, L"question")) type = MB_ICONQUESTION | MB_YESNO;
    return MessageBoxW(nullptr, L"プロファイルデータの書き込みに失敗しました。", L"Ortivo", type);
}
