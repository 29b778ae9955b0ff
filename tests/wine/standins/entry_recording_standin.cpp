// Appends one line "module|working directory|command line" (UTF-8) to the
// log named by ORTIVO_RECORD_LOG (default C:\ortivo-record.log), reports
// to the window of the handoff block as the applier does when
// ORTIVO_STANDIN_REPORT is set, waits ORTIVO_STANDIN_HANG milliseconds
// (default none; 600 s when its command line holds "ortivo-standin-hang",
// for a run whose environment the test does not give, such as a
// service's) and exits with ORTIVO_STANDIN_EXIT (default 0). In the test
// network it also does what netsh or ipconfig was asked to the laptop's
// interface, and exits with 1 when that fails (TestNetworkCommand.h).
//
// With the argument /service it is a service instead, which runs until it
// is stopped. Given a pipe name as well (/service \\.\pipe\NAME), it makes
// that pipe and, once a client's first message has arrived, appends its
// line as above; it never answers.
#include <windows.h>

#include <string>

#include "TestNetworkCommand.h"
#include "app/Messages.h"
#include "switching/HandoffRecord.h"

namespace {

std::string Utf8(const std::wstring& w) {
    if (w.empty()) return std::string();
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), &s[0], n, nullptr, nullptr);
    return s;
}

std::wstring Variable(const wchar_t* name, const wchar_t* otherwise) {
    wchar_t buffer[MAX_PATH] = {};
    const DWORD n = GetEnvironmentVariableW(name, buffer, MAX_PATH);
    return (n > 0 && n < MAX_PATH) ? std::wstring(buffer, n) : std::wstring(otherwise);
}

// The applier's report to the window whose handle the handoff block holds.
void ReportToBlockWindow() {
    HANDLE block = OpenFileMappingW(FILE_MAP_READ, FALSE, reinterpret_cast<const wchar_t*>(kHandoffBlockName));
    if (block == nullptr) return;
    if (const void* view = MapViewOfFile(block, FILE_MAP_READ, 0, 0, kHandoffSize)) {
        const LONG window = *reinterpret_cast<const LONG*>(static_cast<const BYTE*>(view) + kHandoffWindowOffset);
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(static_cast<HWND>(LongToHandle(window)), kMsgApplierFinished, 0, 0, SMTO_ABORTIFHUNG,
                            30000, &ignored);
        UnmapViewOfFile(view);
    }
    CloseHandle(block);
}

int Ending() {
    if (!Variable(L"ORTIVO_STANDIN_REPORT", L"").empty()) ReportToBlockWindow();
    const bool hang = wcsstr(GetCommandLineW(), L"ortivo-standin-hang") != nullptr;
    Sleep(static_cast<DWORD>(_wtoi(Variable(L"ORTIVO_STANDIN_HANG", hang ? L"600000" : L"0").c_str())));
    return _wtoi(Variable(L"ORTIVO_STANDIN_EXIT", L"0").c_str());
}

// Appends the line; false when the log could not be written.
bool RecordStart() {
    wchar_t module[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    wchar_t cwd[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, cwd);
    const std::string line = Utf8(module) + "|" + Utf8(cwd) + "|" + Utf8(GetCommandLineW()) + "\n";

    // Several stand-ins may write at once: retry while another one holds the file.
    for (int attempt = 0; attempt < 200; ++attempt) {
        const std::wstring log = Variable(L"ORTIVO_RECORD_LOG", L"C:\\ortivo-record.log");
        HANDLE file =
            CreateFileW(log.c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
            CloseHandle(file);
            return true;
        }
        Sleep(10);
    }
    return false;
}

// ---- as a service ----------------------------------------------------------------

SERVICE_STATUS_HANDLE serviceStatus = nullptr;
const wchar_t* servicePipe = nullptr;

void ReportService(DWORD state) {
    SERVICE_STATUS status = {};
    status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    status.dwCurrentState = state;
    status.dwControlsAccepted = state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP : 0;
    SetServiceStatus(serviceStatus, &status);
}

// A stop ends the process at once, whatever the service waits for.
DWORD WINAPI ServiceControl(DWORD control, DWORD, void*, void*) {
    if (control == SERVICE_CONTROL_STOP) {
        ReportService(SERVICE_STOPPED);
        ExitProcess(0);
    }
    return control == SERVICE_CONTROL_INTERROGATE ? NO_ERROR : ERROR_CALL_NOT_IMPLEMENTED;
}

void WINAPI ServiceMain(DWORD, wchar_t**) {
    serviceStatus = RegisterServiceCtrlHandlerExW(L"", ServiceControl, nullptr);
    if (serviceStatus == nullptr) return;
    const HANDLE pipe = servicePipe == nullptr
                            ? INVALID_HANDLE_VALUE
                            : CreateNamedPipeW(servicePipe, PIPE_ACCESS_DUPLEX, PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE,
                                               1, 64, 65536, 0, nullptr);
    ReportService(SERVICE_RUNNING);
    static char message[65536];
    DWORD read = 0;
    if (pipe != INVALID_HANDLE_VALUE && (ConnectNamedPipe(pipe, nullptr) || GetLastError() == ERROR_PIPE_CONNECTED) &&
        ReadFile(pipe, message, sizeof(message), &read, nullptr))
        RecordStart();
    Sleep(INFINITE);
}

int RunAsService() {
    wchar_t ownProcess[] = L"";  // the name of an own-process service is not looked at
    SERVICE_TABLE_ENTRYW table[] = {{ownProcess, ServiceMain}, {nullptr, nullptr}};
    return StartServiceCtrlDispatcherW(table) ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc >= 2 && wcscmp(argv[1], L"/service") == 0) {
        servicePipe = argc >= 3 ? argv[2] : nullptr;
        return RunAsService();
    }
    if (!RecordStart()) return 1;
    const bool done = DoInTestNetwork(GetCommandLineW());
    const int code = Ending();
    return done ? code : 1;
}
