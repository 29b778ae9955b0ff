#include "tests/wine/support/TestSupport.h"

#include <fstream>
#include <sstream>

namespace testsupport {

namespace {

std::wstring Widen(const std::string& s) {
    if (s.empty()) return std::wstring();
    const int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), &w[0], n);
    return w;
}

std::wstring RecordLogPath() {
    wchar_t buffer[MAX_PATH] = {};
    const DWORD n = GetEnvironmentVariableW(L"ORTIVO_RECORD_LOG", buffer, MAX_PATH);
    return (n > 0 && n < MAX_PATH) ? std::wstring(buffer, n) : std::wstring(L"C:\\ortivo-record.log");
}

}  // namespace

std::string Narrow(const std::wstring& w) {
    if (w.empty()) return std::string();
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), &s[0], n, nullptr, nullptr);
    return s;
}

std::wstring ExeDir() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring p(path);
    return p.substr(0, p.find_last_of(L'\\'));
}

std::wstring SystemDir() {
    wchar_t dir[MAX_PATH] = {};
    GetSystemDirectoryW(dir, MAX_PATH);
    return dir;
}

std::wstring TempDir() {
    wchar_t base[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, base);
    for (unsigned n = GetCurrentProcessId() * 100u;; ++n) {
        std::wstring dir = std::wstring(base) + L"ortivo-test-" + std::to_wstring(n);
        if (CreateDirectoryW(dir.c_str(), nullptr)) return dir;
        if (GetLastError() != ERROR_ALREADY_EXISTS) return std::wstring();
    }
}

bool InstallStandIn(const std::wstring& path) {
    return CopyFileW((ExeDir() + L"\\recording_standin.exe").c_str(), path.c_str(), FALSE) != FALSE;
}

void UseRecordLog(const std::wstring& path) {
    SetEnvironmentVariableW(L"ORTIVO_RECORD_LOG", path.c_str());
    DeleteFileW(path.c_str());
}

std::vector<StandInRecord> ReadRecords() {
    std::vector<StandInRecord> records;
    HANDLE file = CreateFileW(RecordLogPath().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return records;
    std::string content;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof(chunk), &got, nullptr) && got > 0) content.append(chunk, got);
    CloseHandle(file);

    std::istringstream lines(content);
    std::string line;
    while (std::getline(lines, line)) {
        const std::size_t a = line.find('|');
        const std::size_t b = a == std::string::npos ? a : line.find('|', a + 1);
        if (b == std::string::npos) continue;
        records.push_back({Widen(line.substr(0, a)), Widen(line.substr(a + 1, b - a - 1)), Widen(line.substr(b + 1))});
    }
    return records;
}

long RunAndPump(const std::wstring& exe, const std::wstring& args, DWORD timeoutMs, const std::wstring& directory) {
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!args.empty()) commandLine += L" " + args;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        directory.empty() ? nullptr : directory.c_str(), &startup, &process))
        return -1;
    CloseHandle(process.hThread);
    const bool ended = PumpUntil([&] { return WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0; }, timeoutMs);
    long result = -2;
    if (ended) {
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        result = static_cast<long>(static_cast<int>(code));
    } else {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hProcess);
    return result;
}

RecordingWindow::RecordingWindow() {
    static const wchar_t kClass[] = L"OrtivoTestRecordingWindow";
    WNDCLASSW wc = {};
    wc.lpfnWndProc = &RecordingWindow::Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClass;
    RegisterClassW(&wc);  // fails harmlessly when already registered
    hwnd_ = CreateWindowExW(0, kClass, L"recorder", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, this);
}

RecordingWindow::~RecordingWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
}

LRESULT CALLBACK RecordingWindow::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<RecordingWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self != nullptr && message >= WM_APP && message <= 0xBFFF) {
        self->received_.push_back({message, wParam});
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace testsupport
