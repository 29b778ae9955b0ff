#include "applier/win/CommandRunner.h"

#include <vector>

namespace {

constexpr std::size_t kCommandBufferChars = 832;  // room for 828 characters

std::wstring SystemProgram(ApplierProgram program) {
    wchar_t dir[MAX_PATH] = {};
    const UINT n = GetSystemDirectoryW(dir, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return std::wstring();
    std::wstring path(dir, n);
    path += program == ApplierProgram::Netsh ? L"\\netsh.exe" : L"\\ipconfig.exe";
    return path;
}

}  // namespace

void Trace(const Text& line) { OutputDebugStringW(reinterpret_cast<const wchar_t*>(line.c_str())); }

BOOL RunHidden(const ApplierCommand& command) {
    const std::wstring program = SystemProgram(command.program);
    if (program.empty() || command.commandLine.size() >= kCommandBufferChars) return FALSE;

    std::vector<wchar_t> buffer(kCommandBufferChars, L'\0');
    for (std::size_t i = 0; i < command.commandLine.size(); ++i)
        buffer[i] = static_cast<wchar_t>(command.commandLine[i]);

    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION process = {};
    const BOOL started = CreateProcessW(program.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                        nullptr, &startup, &process);
    if (started) {
        CloseHandle(process.hThread);
        WaitForSingleObject(process.hProcess, INFINITE);
        CloseHandle(process.hProcess);
    }
    return started;
}
