// Files, processes, waiting and finding windows.
#include "tests/wine/support/GuiDriver.h"

#include <commctrl.h>

#include "tests/wine/support/TestSupport.h"

namespace gui {

std::wstring ArtifactFolder() {
    // Executables live in <build>/bin; artifacts go beside it.
    std::wstring bin = testsupport::ExeDir();
    size_t slash = bin.find_last_of(L"\\/");
    std::wstring folder = (slash == std::wstring::npos ? bin : bin.substr(0, slash)) + L"\\artifacts";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

std::wstring ArtifactPath(const std::wstring& fileName) { return ArtifactFolder() + L"\\" + fileName; }

// ---- Program -------------------------------------------------------------------

Program::Program(Program&& other) noexcept : process_(other.process_), processId_(other.processId_) {
    other.process_ = nullptr;
    other.processId_ = 0;
}

Program& Program::operator=(Program&& other) noexcept {
    if (this != &other) {
        Terminate();
        process_ = other.process_;
        processId_ = other.processId_;
        other.process_ = nullptr;
        other.processId_ = 0;
    }
    return *this;
}

Program::~Program() { Terminate(); }

Outcome Program::WaitForExit(DWORD timeoutMs, DWORD* code) {
    if (!process_) return AssertionFailure() << "no program was started";
    Outcome ended = WaitUntil([this] {
        return Outcome(WaitForSingleObject(process_, 0) == WAIT_OBJECT_0) << "process " << processId_ << " still runs";
    }, timeoutMs);
    if (ended && code) GetExitCodeProcess(process_, code);
    return ended;
}

void Program::Terminate() {
    if (!process_) return;
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 10000);
    }
    CloseHandle(process_);
    process_ = nullptr;
    processId_ = 0;
}

namespace {

// The program's main thread goes to *thread when asked for (the caller
// closes it); otherwise its handle is closed here.
Program Start(const std::wstring& exePath, const std::wstring& arguments, const std::wstring& directory,
              STARTUPINFOW& startup, BOOL inheritHandles, DWORD flags = 0, HANDLE* thread = nullptr) {
    std::wstring commandLine = L"\"" + exePath + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    const std::wstring folder =
        directory.empty() ? exePath.substr(0, exePath.find_last_of(L"\\/") + 1) : directory;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(exePath.c_str(), &commandLine[0], nullptr, nullptr, inheritHandles, flags, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &info))
        return Program();
    if (thread != nullptr) *thread = info.hThread;
    else CloseHandle(info.hThread);
    return Program(info.hProcess, info.dwProcessId);
}

// A pipe whose write end a started program inherits as a standard handle.
class OutputPipe {
public:
    OutputPipe() {
        SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
        if (CreatePipe(read_.Receive(), write_.Receive(), &inherit, 1 << 20))
            SetHandleInformation(read_.Get(), HANDLE_FLAG_INHERIT, 0);
    }
    HANDLE WriteEnd() const { return write_.Get(); }
    void CloseWriteEnd() { write_.Reset(); }
    // Everything written, once the program that held the other write end has ended.
    std::string ReadAll() {
        CloseWriteEnd();
        std::string bytes;
        char chunk[4096];
        DWORD got = 0;
        while (read_.Valid() && ReadFile(read_.Get(), chunk, sizeof(chunk), &got, nullptr) && got > 0)
            bytes.append(chunk, got);
        return bytes;
    }

private:
    CKernelHandle read_, write_;
};

}  // namespace

Program StartProgram(const std::wstring& exePath, const std::wstring& arguments, const std::wstring& directory) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    return Start(exePath, arguments, directory, startup, FALSE);
}

std::vector<Program> StartProgramsAtOnce(const std::wstring& exePath, int count, const std::wstring& arguments) {
    std::vector<Program> programs;
    std::vector<HANDLE> threads;
    for (int i = 0; i < count; ++i) {
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        HANDLE thread = nullptr;
        Program program = Start(exePath, arguments, std::wstring(), startup, FALSE, CREATE_SUSPENDED, &thread);
        if (!program.Started()) break;
        programs.push_back(std::move(program));
        threads.push_back(thread);
    }
    for (HANDLE thread : threads) {
        ResumeThread(thread);
        CloseHandle(thread);
    }
    return programs;
}

long RunProgram(const std::wstring& exePath, const std::wstring& arguments, DWORD timeoutMs,
                const std::wstring& directory, CapturedOutput* captured) {
    OutputPipe out, err;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    if (captured) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = out.WriteEnd();
        startup.hStdError = err.WriteEnd();
    }
    Program program = Start(exePath, arguments, directory, startup, captured ? TRUE : FALSE);
    if (!program.Started()) return -1;
    DWORD code = 0;
    if (!program.WaitForExit(timeoutMs, &code)) return -2;  // ended by the destructor
    if (captured) {
        captured->out = out.ReadAll();
        captured->err = err.ReadAll();
    }
    return static_cast<long>(static_cast<int>(code));
}

// ---- waiting -------------------------------------------------------------------

void PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

Outcome TimedOut(DWORD timeoutMs) { return AssertionFailure() << "after " << timeoutMs << " ms "; }

Outcome WaitUntil(const std::function<Outcome()>& condition, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        PumpMessages();
        const Outcome seen = condition();
        if (seen) return AssertionSuccess();
        if (GetTickCount64() >= deadline)
            return TimedOut(timeoutMs) << seen.message();
        // Wake for our own messages at once, otherwise poll again soon.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

Outcome TextsAre(const std::vector<std::wstring>& seen, const std::vector<std::wstring>& expected) {
    if (seen == expected) return AssertionSuccess();
    Outcome differ = AssertionFailure() << "the texts were {";
    for (const std::wstring& text : seen) differ << " \"" << testsupport::Narrow(text) << "\"";
    return differ << " }";
}

// ---- finding windows -----------------------------------------------------------

std::wstring WindowText(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
        return std::wstring();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]),
                        SMTO_ABORTIFHUNG, 5000, &copied);
    text.resize(static_cast<size_t>(copied));
    return text;
}

std::wstring ClassName(HWND window) {
    wchar_t name[256] = {};
    int n = GetClassNameW(window, name, 256);
    return std::wstring(name, n > 0 ? n : 0);
}

std::string WindowName(HWND window) {
    if (window == nullptr) return "no window";
    if (!IsWindow(window)) return "a destroyed window";
    const std::string cls = testsupport::Narrow(ClassName(window));
    if (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) return cls + " " + std::to_string(GetDlgCtrlID(window));
    return cls + " \"" + testsupport::Narrow(WindowText(window)) + "\"";
}

bool IsChecked(HWND button) {
    DWORD_PTR state = 0;
    SendMessageTimeoutW(button, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000, &state);
    return state == BST_CHECKED;
}

namespace {

bool Matches(HWND window, const WindowQuery& q) {
    if (window == q.exclude) return false;
    if (q.visibleOnly && !IsWindowVisible(window)) return false;
    if (q.processId) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        if (pid != q.processId) return false;
    }
    if (q.className && ClassName(window) != q.className) return false;
    if (q.title && WindowText(window) != q.title) return false;
    return true;
}

struct TopLevelSearch {
    const WindowQuery* query;
    std::vector<HWND> found;
};

BOOL CALLBACK TopLevelProc(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<TopLevelSearch*>(param);
    if (Matches(window, *search->query)) search->found.push_back(window);
    return TRUE;
}

struct ChildSearch {
    std::function<bool(HWND)> match;
    int skip;
    HWND found;
};

BOOL CALLBACK ChildProc(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<ChildSearch*>(param);
    if (!search->match(window)) return TRUE;
    if (search->skip-- > 0) return TRUE;
    search->found = window;
    return FALSE;
}

HWND FindDescendant(HWND parent, std::function<bool(HWND)> match, int index) {
    ChildSearch search{std::move(match), index, nullptr};
    EnumChildWindows(parent, ChildProc, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

std::vector<HWND> FindTopLevels(const WindowQuery& query) {
    TopLevelSearch search{&query, {}};
    EnumWindows(TopLevelProc, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND CurrentPage(HWND sheet, DWORD timeoutMs) {
    DWORD_PTR page = 0;
    SendMessageTimeoutW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0, SMTO_NORMAL, timeoutMs, &page);
    return reinterpret_cast<HWND>(page);
}

std::vector<HWND> DialogsOf(DWORD processId, bool visibleOnly) {
    return FindTopLevels({kDialogClass, nullptr, processId, visibleOnly});
}

HWND FindTopLevel(const WindowQuery& query) {
    std::vector<HWND> all = FindTopLevels(query);
    return all.empty() ? nullptr : all.front();
}

HWND WaitForTopLevel(const WindowQuery& query, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindTopLevel(query)) != nullptr; }, timeoutMs);
    return found;
}

HWND WaitForDialog(DWORD processId, const std::function<bool(HWND)>& wanted, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil([&] {
        for (HWND w : DialogsOf(processId))
            if (wanted(w)) return (found = w) != nullptr;
        return false;
    }, timeoutMs);
    return found;
}

Outcome WaitForWindowGone(HWND window, DWORD timeoutMs) {
    const std::string name = WindowName(window);
    return WaitUntil([&] {
        return Outcome(!IsWindow(window) || !IsWindowVisible(window)) << name << " is still shown";
    }, timeoutMs);
}

HWND FindChild(HWND parent, int id, const wchar_t* className) {
    return FindDescendant(parent, [&](HWND w) {
        return GetDlgCtrlID(w) == id && (!className || ClassName(w) == className);
    }, 0);
}

HWND FindChildByClass(HWND parent, const wchar_t* className, int index) {
    return FindDescendant(parent, [&](HWND w) { return ClassName(w) == className; }, index);
}

HWND FindChildByText(HWND parent, const std::wstring& text, const wchar_t* className) {
    return FindDescendant(parent, [&](HWND w) {
        return (!className || ClassName(w) == className) && WindowText(w) == text;
    }, 0);
}

}  // namespace gui
