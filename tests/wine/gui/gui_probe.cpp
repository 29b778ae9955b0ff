// Helper program for the GUI driver test: shows one message box whose icon,
// text and buttons come from the command line ("error", "information",
// "question", "warning"), and exits with the button that was pressed.
#include <windows.h>

#include <cwchar>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR commandLine, int) {
    UINT type = MB_OK;
    if (wcsstr(commandLine, L"error")) type = MB_ICONERROR;
    if (wcsstr(commandLine, L"information")) type = MB_ICONINFORMATION;
    if (wcsstr(commandLine, L"warning")) type = MB_ICONWARNING;
    if (wcsstr(commandLine, L"question")) type = MB_ICONQUESTION | MB_YESNO;
    return MessageBoxW(nullptr, L"プロファイルデータの書き込みに失敗しました。", L"Ortivo", type);
}
