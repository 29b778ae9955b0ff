#include "editor/win/ScriptConsole.h"

#include <windows.h>

#include "framework/win/UniqueHandle.h"

namespace {

bool Usable(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }

bool WriteToConsole(HANDLE console, const std::wstring& text) {
    DWORD mode = 0;
    if (!GetConsoleMode(console, &mode)) return false;
    DWORD written = 0;
    return WriteConsoleW(console, text.c_str(), static_cast<DWORD>(text.size()), &written, nullptr) != FALSE;
}

void WriteEncoded(HANDLE handle, const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_OEMCP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    if (size <= 0) return;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_OEMCP, 0, text.c_str(), static_cast<int>(text.size()), &bytes[0], size, nullptr, nullptr);
    DWORD written = 0;
    WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

// The console of the starting process, attached once.
bool AttachedToParentConsole() {
    static const bool attached = AttachConsole(ATTACH_PARENT_PROCESS) != FALSE;
    return attached;
}

}  // namespace

void WriteToScript(const std::wstring& line, bool isError) {
    const std::wstring text = line + L"\r\n";
    const HANDLE given = GetStdHandle(isError ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    if (Usable(given)) {
        if (!WriteToConsole(given, text)) WriteEncoded(given, text);
        return;
    }
    if (!AttachedToParentConsole()) return;
    CFileHandle console(CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr));
    if (console.Valid()) WriteToConsole(console.Get(), text);
}
