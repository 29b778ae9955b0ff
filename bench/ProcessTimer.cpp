#include "bench/ProcessTimer.h"

#include <psapi.h>

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

// The main dialog's template, shown by both programs, has this caption.
bool ShowsMainDialog(DWORD processId) {
    gui::WindowQuery query;
    query.className = L"#32770";
    query.title = L"Ortivo";
    query.processId = processId;
    return gui::FindTopLevel(query) != nullptr;
}

// A message box of the process showing `text`, or null.
HWND MessageBoxWithText(DWORD processId, const std::wstring& text) {
    gui::WindowQuery query;
    query.className = L"#32770";
    query.processId = processId;
    for (HWND window : gui::FindTopLevels(query)) {
        gui::MessageBoxInfo info;
        if (gui::ReadMessageBox(window, &info) && info.text == text) return window;
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

double MeasureUntilMessage(const std::wstring& exe, const std::wstring& arguments, const std::wstring& text) {
    const double start = NowMs();
    gui::Program program = gui::StartProgram(exe, arguments);
    HWND box = nullptr;
    if (!program.Started() || !PollUntil(program, [&] { return (box = MessageBoxWithText(program.Id(), text)); }))
        return -1;
    const double elapsed = NowMs() - start;
    if (!gui::AnswerMessageBox(box, IDOK) || !program.WaitForExit(kLimitMs)) return -1;
    CoolDown();
    return elapsed;
}

double MeasureRun(const std::wstring& exe, const std::wstring& arguments) {
    const double start = NowMs();
    gui::Program program = gui::StartProgram(exe, arguments);
    if (!program.Started() || WaitForSingleObject(program.Handle(), kLimitMs) != WAIT_OBJECT_0) return -1;
    const double elapsed = NowMs() - start;
    CoolDown();
    return elapsed;
}

}  // namespace bench
