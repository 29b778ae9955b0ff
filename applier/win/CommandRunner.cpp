#include "applier/win/CommandRunner.h"

#include <vector>

#include "framework/win/UniqueHandle.h"

namespace {

constexpr std::size_t kCommandBufferChars = 832;  // room for 828 characters
// How long a terminated command may take to go.
constexpr DWORD kTerminateWaitMs = 5000;

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

bool RunHidden(const ApplierCommand& command, DWORD boundMs) {
    const std::wstring program = SystemProgram(command.program);
    if (program.empty() || command.commandLine.size() >= kCommandBufferChars) return false;

    std::vector<wchar_t> buffer(kCommandBufferChars, L'\0');
    for (std::size_t i = 0; i < command.commandLine.size(); ++i)
        buffer[i] = static_cast<wchar_t>(command.commandLine[i]);

    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION started = {};
    if (!CreateProcessW(program.c_str(), buffer.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &started))
        return false;
    CKernelHandle thread(started.hThread);
    CKernelHandle process(started.hProcess);
    if (WaitForSingleObject(process.Get(), boundMs) == WAIT_OBJECT_0) return true;
    TerminateProcess(process.Get(), ERROR_TIMEOUT);
    WaitForSingleObject(process.Get(), kTerminateWaitMs);
    return false;
}
