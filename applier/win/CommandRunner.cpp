#include "applier/win/CommandRunner.h"

#include <vector>

#include "framework/win/UniqueHandle.h"

namespace {

constexpr std::size_t kCommandBufferChars = 832;  // room for 828 characters
// How long a terminated command may take to go.
constexpr DWORD kTerminateWaitMs = 5000;

std::wstring SystemDirectory() {
    wchar_t dir[MAX_PATH] = {};
    const UINT n = GetSystemDirectoryW(dir, MAX_PATH);
    return n == 0 || n >= MAX_PATH ? std::wstring() : std::wstring(dir, n);
}

std::wstring ProgramFile(ApplierProgram program) {
    return program == ApplierProgram::Netsh ? L"\\netsh.exe" : L"\\ipconfig.exe";
}

bool Stopped(HANDLE stop) { return stop != nullptr && WaitForSingleObject(stop, 0) == WAIT_OBJECT_0; }

// Waits for the process within the bound, or until `stop` is set; true
// when it ended by itself.
bool AwaitCommand(HANDLE process, HANDLE stop, DWORD boundMs) {
    const HANDLE waits[] = {process, stop};
    return WaitForMultipleObjects(stop != nullptr ? 2 : 1, waits, FALSE, boundMs) == WAIT_OBJECT_0;
}

}  // namespace

HANDLE CreateCommandJob() {
    CKernelHandle job(CreateJobObjectW(nullptr, nullptr));
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (!job.Valid() ||
        !SetInformationJobObject(job.Get(), JobObjectExtendedLimitInformation, &limits, sizeof(limits)))
        return nullptr;
    return job.Release();
}

void Trace(const Text& line) { OutputDebugStringW(reinterpret_cast<const wchar_t*>(line.c_str())); }

bool RunHidden(const ApplierCommand& command, const CommandScope& scope, DWORD boundMs) {
    const std::wstring directory = SystemDirectory();
    if (directory.empty() || command.commandLine.size() >= kCommandBufferChars || Stopped(scope.stop)) return false;
    const std::wstring program = directory + ProgramFile(command.program);

    std::vector<wchar_t> buffer(kCommandBufferChars, L'\0');
    for (std::size_t i = 0; i < command.commandLine.size(); ++i)
        buffer[i] = static_cast<wchar_t>(command.commandLine[i]);

    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION started = {};
    // Suspended until it is in the job, so that nothing it starts escapes it.
    if (!CreateProcessW(program.c_str(), buffer.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW | CREATE_SUSPENDED,
                        nullptr, directory.c_str(), &startup, &started))
        return false;
    CKernelHandle thread(started.hThread);
    CKernelHandle process(started.hProcess);
    // A job cannot take a process that is in a job of its own on Windows 7;
    // the bound and the stop still end the command itself then.
    if (scope.job != nullptr) AssignProcessToJobObject(scope.job, process.Get());
    ResumeThread(thread.Get());
    if (AwaitCommand(process.Get(), scope.stop, boundMs)) return true;
    TerminateProcess(process.Get(), ERROR_TIMEOUT);
    WaitForSingleObject(process.Get(), kTerminateWaitMs);
    return false;
}
