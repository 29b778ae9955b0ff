// Appends one line "module|working directory|command line" (UTF-8) to the
// log named by ORTIVO_RECORD_LOG (default C:\ortivo-record.log), waits
// ORTIVO_STANDIN_HANG milliseconds (default none) and exits with
// ORTIVO_STANDIN_EXIT (default 0).
#include <windows.h>

#include <string>

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

int Ending() {
    Sleep(static_cast<DWORD>(_wtoi(Variable(L"ORTIVO_STANDIN_HANG", L"0").c_str())));
    return _wtoi(Variable(L"ORTIVO_STANDIN_EXIT", L"0").c_str());
}

}  // namespace

int wmain() {
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
            return Ending();
        }
        Sleep(10);
    }
    return 1;
}
