#include "bench/ProcessTimer.h"

#include <psapi.h>
#include <tlhelp32.h>

#include "tests/wine/support/GuiDriver.h"

namespace bench {
namespace {

constexpr DWORD kLimitMs = 180000;
constexpr DWORD kPollMs = 1;
constexpr DWORD kSettleMs = 1000;
constexpr DWORD kCooldownMs = 1000;  // Wine tears an ended process down after its handle is signalled
constexpr wchar_t kInstanceMutex[] = L"Global\\Tolvik_Network By Moxq";

double NowMs() {
    static const double ticksPerMs = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / ticksPerMs;
}

// Polls `found` every millisecond until it holds; false when the program
// ends first or the limit passes.
template <typename Found>
bool PollUntil(const gui::Program& program, Found found) {
    const double start = NowMs();
    while (!found()) {
        if (WaitForSingleObject(program.Handle(), kPollMs) == WAIT_OBJECT_0) return false;
        if (NowMs() - start > kLimitMs) return false;
    }
    return true;
}

// The main dialog's template, shown by both programs, has the first
// caption; the main program shows the second while it switches.
bool ShowsMainDialog(DWORD processId) {
    gui::WindowQuery query;
    query.className = L"#32770";
    query.processId = processId;
    for (const wchar_t* caption : {L"Ortivo", L"Ortivo (ネットワーク設定中)"}) {
        query.title = caption;
        if (gui::FindTopLevel(query) != nullptr) return true;
    }
    return false;
}

// A message box of the process showing `text`, or null. Only its text is
// read: reading the whole box (its icon) takes a screen capture.
HWND MessageBoxWithText(DWORD processId, const std::wstring& text) {
    constexpr int kTextStaticId = 0xFFFF;
    gui::WindowQuery query;
    query.className = L"#32770";
    query.processId = processId;
    for (HWND window : gui::FindTopLevels(query)) {
        const HWND textStatic = GetDlgItem(window, kTextStaticId);
        if (textStatic != nullptr && gui::WindowText(textStatic) == text) return window;
    }
    return nullptr;
}

double WorkingSetMb(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(process, &counters, sizeof(counters))) return -1;
    return static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0);
}

// Lets the ended program's teardown pass before the next start, and the
// main program's instance mutex go, so that the next start is a first one.
void CoolDown() {
    Sleep(kCooldownMs);
    for (int i = 0; i < 100; ++i) {
        HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, kInstanceMutex);
        if (mutex == nullptr) return;
        CloseHandle(mutex);
        Sleep(100);
    }
}

double FileTimeMs(const FILETIME& t) {
    return static_cast<double>(static_cast<ULONGLONG>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 10000.0;
}

double FileTimeNowMs() {
    FILETIME now;
    GetSystemTimePreciseAsFileTime(&now);
    return FileTimeMs(now);
}

// A program that `parent` starts, found by its file name; its creation and
// exit times come from the system, so looking for it now and then is enough.
class ChildWatch {
public:
    ChildWatch(DWORD parent, const wchar_t* fileName) : parent_(parent), fileName_(fileName) {}
    ~ChildWatch() {
        if (process_ != nullptr) CloseHandle(process_);
    }
    ChildWatch(const ChildWatch&) = delete;
    ChildWatch& operator=(const ChildWatch&) = delete;

    void Look() {
        if (process_ != nullptr || NowMs() - lastLook_ < kLookEveryMs) return;
        lastLook_ = NowMs();
        HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        if (snapshot == INVALID_HANDLE_VALUE) return;
        PROCESSENTRY32W entry = {};
        entry.dwSize = sizeof(entry);
        for (BOOL more = Process32FirstW(snapshot, &entry); more && process_ == nullptr;
             more = Process32NextW(snapshot, &entry))
            if (entry.th32ParentProcessID == parent_ && _wcsicmp(entry.szExeFile, fileName_) == 0)
                process_ = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, entry.th32ProcessID);
        CloseHandle(snapshot);
    }
    // Creation and exit on the system clock, in ms; false unless it was seen and has ended.
    bool Times(double* created, double* ended) const {
        FILETIME creation, exit, kernel, user;
        if (process_ == nullptr || WaitForSingleObject(process_, 0) != WAIT_OBJECT_0 ||
            !GetProcessTimes(process_, &creation, &exit, &kernel, &user))
            return false;
        *created = FileTimeMs(creation);
        *ended = FileTimeMs(exit);
        return true;
    }

private:
    static constexpr double kLookEveryMs = 20;
    const DWORD parent_;
    const wchar_t* fileName_;
    HANDLE process_ = nullptr;
    double lastLook_ = -kLookEveryMs;
};

}  // namespace

StartFigures MeasureStart(const std::wstring& exe, const std::wstring& arguments) {
    StartFigures figures;
    const double start = NowMs();
    gui::Program program = gui::StartProgram(exe, arguments);
    if (!program.Started() || !PollUntil(program, [&] { return ShowsMainDialog(program.Id()); })) return figures;
    figures.visibleMs = NowMs() - start;
    WaitForInputIdle(program.Handle(), kLimitMs);
    Sleep(kSettleMs);
    figures.workingSetMb = WorkingSetMb(program.Handle());
    figures.ok = figures.workingSetMb > 0;
    program.Terminate();
    CoolDown();
    return figures;
}

MessageFigures MeasureUntilMessage(const std::wstring& exe, const std::wstring& arguments, const std::wstring& text,
                                   const wchar_t* child) {
    MessageFigures figures;
    const double start = NowMs(), systemStart = FileTimeNowMs();
    gui::Program program = gui::StartProgram(exe, arguments);
    if (!program.Started() || !PollUntil(program, [&] { return ShowsMainDialog(program.Id()); })) return figures;
    figures.dialogMs = NowMs() - start;
    ChildWatch watch(program.Id(), child);
    HWND box = nullptr;
    if (!PollUntil(program, [&] {
            watch.Look();
            return (box = MessageBoxWithText(program.Id(), text));
        }))
        return figures;
    figures.messageMs = NowMs() - start;
    double created = 0, ended = 0;
    figures.childSeen = watch.Times(&created, &ended);
    figures.ok = gui::AnswerMessageBox(box, IDOK) && program.WaitForExit(kLimitMs);
    figures.childStartMs = created - systemStart;
    figures.childEndMs = ended - systemStart;
    CoolDown();
    return figures;
}

}  // namespace bench
