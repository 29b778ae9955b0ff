#include "tests/wine/support/CallPause.h"

#include <cstring>

namespace {

constexpr BYTE kBreakpoint = 0xCC;
constexpr DWORD kEventPollMs = 100;
constexpr DWORD kTrapFlag = 0x100;
constexpr std::size_t kCompared = 16;  // bytes that must match on both sides

bool WriteByte(HANDLE process, BYTE* at, BYTE value) {
    SIZE_T written = 0;
    const bool ok = WriteProcessMemory(process, at, &value, 1, &written) && written == 1;
    FlushInstructionCache(process, at, 1);
    return ok;
}

// Changes the context of a stopped thread of the program.
bool EditContext(DWORD threadId, const std::function<void(CONTEXT&)>& edit) {
    const CKernelHandle thread(OpenThread(THREAD_GET_CONTEXT | THREAD_SET_CONTEXT, FALSE, threadId));
    if (!thread.Valid()) return false;
    CONTEXT context = {};
    context.ContextFlags = CONTEXT_FULL;
    bool ok = GetThreadContext(thread.Get(), &context) != FALSE;
    if (ok) {
        edit(context);
        ok = SetThreadContext(thread.Get(), &context) != FALSE;
    }
    return ok;
}

// Debugs the program as DebugActiveProcess does, but without the thread
// that it then makes the program start to break in: under Wine the making of
// that thread can wait forever (seen about once in ten attaches). The
// attach's own events stop the program long enough to arm.
bool Attach(DWORD processId) {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    auto find = [ntdll](const char* name) { return reinterpret_cast<void*>(GetProcAddress(ntdll, name)); };
    const auto connect = reinterpret_cast<LONG(NTAPI*)()>(find("DbgUiConnectToDbg"));
    const auto debugObject = reinterpret_cast<HANDLE(NTAPI*)()>(find("DbgUiGetThreadDebugObject"));
    const auto debug = reinterpret_cast<LONG(NTAPI*)(HANDLE, HANDLE)>(find("NtDebugActiveProcess"));
    if (connect == nullptr || debugObject == nullptr || debug == nullptr || connect() < 0) return false;
    const CKernelHandle process(OpenProcess(PROCESS_ALL_ACCESS, FALSE, processId));
    return process.Valid() && debug(process.Get(), debugObject()) >= 0;
}

}  // namespace

CCallPause::CCallPause(DWORD processId, const wchar_t* module, const char* function, std::wstring secondArgument,
                       std::function<void()> action)
    : processId_(processId),
      target_(reinterpret_cast<BYTE*>(GetProcAddress(LoadLibraryW(module), function))),
      secondArgument_(std::move(secondArgument)),
      action_(std::move(action)),
      debugger_([this] { Debug(); }) {}

CCallPause::~CCallPause() {
    stop_.Set();
    debugger_.join();
}

bool CCallPause::Arm(HANDLE process) {
    BYTE there[kCompared] = {};
    SIZE_T read = 0;
    // The function must sit at the same place in the program as here.
    if (target_ == nullptr || !ReadProcessMemory(process, target_, there, sizeof(there), &read) ||
        read != sizeof(there) || std::memcmp(there, target_, sizeof(there)) != 0)
        return false;
    original_ = there[0];
    return WriteByte(process, target_, kBreakpoint);
}

bool CCallPause::SecondArgumentMatches(HANDLE process, const CONTEXT& context) const {
    std::wstring text(secondArgument_.size() + 1, L'\0');
    SIZE_T read = 0;
    const bool got = ReadProcessMemory(process, reinterpret_cast<const void*>(context.Rdx), &text[0],
                                       text.size() * sizeof(wchar_t), &read) != FALSE;
    return got && text.compare(0, secondArgument_.size(), secondArgument_) == 0 && text.back() == L'\0';
}

bool CCallPause::OnBreakpoint(HANDLE process, DWORD threadId) {
    bool wanted = false;
    // The call goes on from the function's first instruction, restored; an
    // unwanted call steps over it so that the breakpoint can be set again.
    WriteByte(process, target_, original_);
    EditContext(threadId, [&](CONTEXT& c) {
        wanted = SecondArgumentMatches(process, c);
        c.Rip = reinterpret_cast<DWORD64>(target_);
        if (!wanted) c.EFlags |= kTrapFlag;
    });
    if (wanted) action_();
    return wanted;
}

void CCallPause::Debug() {
    if (!Attach(processId_)) return;
    DebugSetProcessKillOnExit(FALSE);
    HANDLE process = nullptr;
    bool finished = false, acted = false;
    while (!finished && WaitForSingleObject(stop_.Handle(), 0) == WAIT_TIMEOUT) {
        DEBUG_EVENT event;
        if (!WaitForDebugEvent(&event, kEventPollMs)) continue;
        DWORD status = DBG_CONTINUE;
        if (event.dwDebugEventCode == CREATE_PROCESS_DEBUG_EVENT) {
            process = event.u.CreateProcessInfo.hProcess;
            if (event.u.CreateProcessInfo.hFile) CloseHandle(event.u.CreateProcessInfo.hFile);
            if (Arm(process)) armed_.Set();
            else finished = true;
        } else if (event.dwDebugEventCode == LOAD_DLL_DEBUG_EVENT) {
            if (event.u.LoadDll.hFile) CloseHandle(event.u.LoadDll.hFile);
        } else if (event.dwDebugEventCode == EXCEPTION_DEBUG_EVENT) {
            const EXCEPTION_RECORD& record = event.u.Exception.ExceptionRecord;
            if (record.ExceptionCode == EXCEPTION_BREAKPOINT && record.ExceptionAddress == target_) {
                finished = acted = OnBreakpoint(process, event.dwThreadId);
            } else if (record.ExceptionCode == EXCEPTION_SINGLE_STEP) {
                WriteByte(process, target_, kBreakpoint);
            } else {
                status = DBG_EXCEPTION_NOT_HANDLED;
            }
        }
        ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
    }
    if (process != nullptr && !acted && WaitForSingleObject(armed_.Handle(), 0) == WAIT_OBJECT_0) WriteByte(process, target_, original_);
    DebugActiveProcessStop(processId_);
    if (acted) done_.Set();
}
