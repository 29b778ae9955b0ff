#include "tests/wine/support/TestSupport.h"

#include <sstream>

#include "framework/win/MessageFilter.h"
#include "framework/win/ModuleFolder.h"
#include "framework/win/WideText.h"

namespace testsupport {

namespace {

std::wstring Widen(const std::string& s) { return W(text::FromUtf8(s)); }

::testing::AssertionResult FileFailure(const char* what, const std::wstring& path) {
    return ::testing::AssertionFailure() << what << " " << Narrow(path) << " failed (error " << GetLastError() << ")";
}

std::wstring RecordLogPath() {
    wchar_t buffer[MAX_PATH] = {};
    const DWORD n = GetEnvironmentVariableW(L"ORTIVO_RECORD_LOG", buffer, MAX_PATH);
    return (n > 0 && n < MAX_PATH) ? std::wstring(buffer, n) : std::wstring(L"C:\\ortivo-record.log");
}

bool EndsWithNoCase(const std::wstring& text, const wchar_t* end) {
    const std::size_t n = wcslen(end);
    return text.size() >= n && _wcsicmp(text.c_str() + text.size() - n, end) == 0;
}

struct StringEntry {
    UINT id;
    const wchar_t* text;
};
const StringEntry kStrings[] = {
#include "tests/wine/support/expected_strings.inc"
};

}  // namespace

std::string Narrow(const std::wstring& w) { return text::ToUtf8(T(w)); }

std::wstring ExpectedText(UINT id) {
    for (const StringEntry& entry : kStrings)
        if (entry.id == id) return entry.text;
    return std::wstring();
}

std::wstring ExeDir() { return FolderOfModule(nullptr); }

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

// ---- whole files -------------------------------------------------------------------

bool ReadFileBytes(const std::wstring& path, std::vector<uint8_t>* bytes) {
    const CFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return false;
    bytes->clear();
    uint8_t chunk[65536];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ReadFile(file.Get(), chunk, sizeof(chunk), &got, nullptr) != FALSE) && got > 0)
        bytes->insert(bytes->end(), chunk, chunk + got);
    return ok;
}

std::vector<uint8_t> FileBytes(const std::wstring& path) {
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(path, &bytes)) bytes.clear();
    return bytes;
}

CFileHandle HoldFile(const std::wstring& path) {
    return CFileHandle(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
}

::testing::AssertionResult WriteFileBytes(const std::wstring& path, const std::vector<uint8_t>& bytes) {
    const CFileHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return FileFailure("making", path);
    DWORD written = 0;
    const bool ok = bytes.empty() ||
                    (WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                     written == bytes.size());
    return ok ? ::testing::AssertionSuccess() : FileFailure("writing", path);
}

std::vector<std::wstring> FolderEntries(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    const CFindHandle find(FindFirstFileW((folder + L"\\*").c_str(), &found));
    if (!find.Valid()) return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(find.Get(), &found));
    return names;
}

std::vector<uint8_t> FromHex(const char* hex) {
    std::vector<uint8_t> bytes;
    for (std::size_t i = 0; hex[i] != 0 && hex[i + 1] != 0; i += 2) {
        auto nibble = [](char c) { return c <= '9' ? c - '0' : c - 'a' + 10; };
        bytes.push_back(static_cast<uint8_t>(nibble(hex[i]) << 4 | nibble(hex[i + 1])));
    }
    return bytes;
}

// ---- the recording stand-in ------------------------------------------------------------

::testing::AssertionResult InstallStandIn(const std::wstring& path) {
    const std::wstring standIn = ExeDir() + L"\\recording_standin.exe";
    if (CopyFileW(standIn.c_str(), path.c_str(), FALSE)) return ::testing::AssertionSuccess();
    return FileFailure("copying the recording stand-in to", path);
}

void UseRecordLog(const std::wstring& path) {
    SetEnvironmentVariableW(L"ORTIVO_RECORD_LOG", path.c_str());
    DeleteFileW(path.c_str());
}

::testing::AssertionResult InstallApplierStandIns() {
    for (const wchar_t* program : {L"\\netsh.exe", L"\\ipconfig.exe"}) {
        const ::testing::AssertionResult installed = InstallStandIn(SystemDir() + program);
        if (!installed) return installed;
    }
    const std::wstring folder = TempDir();
    UseRecordLog(folder + L"\\record.log");
    if (folder.empty()) return ::testing::AssertionFailure() << "no folder for the record log";
    return ::testing::AssertionSuccess();
}

std::vector<StandInRecord> ReadRecords() {
    std::vector<StandInRecord> records;
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(RecordLogPath(), &bytes)) return records;
    std::istringstream lines(std::string(bytes.begin(), bytes.end()));
    std::string line;
    while (std::getline(lines, line)) {
        const std::size_t a = line.find('|');
        const std::size_t b = a == std::string::npos ? a : line.find('|', a + 1);
        if (b == std::string::npos) continue;
        records.push_back({Widen(line.substr(0, a)), Widen(line.substr(a + 1, b - a - 1)), Widen(line.substr(b + 1))});
    }
    return records;
}

std::vector<std::wstring> RecordedCommandLines() {
    std::vector<std::wstring> lines;
    for (const StandInRecord& r : ReadRecords()) lines.push_back(r.commandLine);
    return lines;
}

std::vector<std::wstring> CommandLinesOf(const wchar_t* program) {
    std::vector<std::wstring> lines;
    for (const StandInRecord& r : ReadRecords())
        if (EndsWithNoCase(r.module, program)) lines.push_back(r.commandLine);
    return lines;
}

// ---- RecordingWindow ---------------------------------------------------------------

RecordingWindow::RecordingWindow(const wchar_t* dialogTitle) {
    // A dialog template: no controls, the title after the menu and class words.
    std::vector<WORD> t(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    auto* d = reinterpret_cast<DLGTEMPLATE*>(t.data());
    d->style = WS_POPUP | WS_CAPTION;
    d->cx = 100;
    d->cy = 50;
    t.push_back(0);
    t.push_back(0);
    for (const wchar_t* c = dialogTitle != nullptr ? dialogTitle : L"recorder"; *c; ++c) t.push_back(*c);
    t.push_back(0);
    hwnd_ = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<DLGTEMPLATE*>(t.data()), nullptr,
                                       DialogProc, reinterpret_cast<LPARAM>(this));
}

RecordingWindow::~RecordingWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
}

bool RecordingWindow::Record(UINT message, WPARAM wParam) {
    if (message < WM_APP || message > 0xBFFF) return false;
    received_.push_back({message, wParam});
    if (onReceive_) onReceive_(message);
    return true;
}

INT_PTR CALLBACK RecordingWindow::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    auto* self = reinterpret_cast<RecordingWindow*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (self != nullptr && self->Record(message, wParam)) {
        SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, 0);
        return TRUE;
    }
    return FALSE;
}

namespace {
std::vector<std::pair<HWND, UINT>> allowedMessages;

BOOL WINAPI RecordAllowed(HWND window, UINT message, DWORD action, PCHANGEFILTERSTRUCT info) {
    if (action == MSGFLT_ALLOW && info == nullptr) allowedMessages.emplace_back(window, message);
    return TRUE;
}
}  // namespace

void RecordMessageFilter() {
    allowedMessages.clear();
    changeMessageFilter = RecordAllowed;
}

std::vector<UINT> MessagesAllowedOn(HWND window) {
    std::vector<UINT> messages;
    for (const auto& [w, message] : allowedMessages)
        if (w == window) messages.push_back(message);
    return messages;
}

}  // namespace testsupport
