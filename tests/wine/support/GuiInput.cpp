// Clicking, focusing, typing and pasting.
#include "tests/wine/support/GuiDriver.h"
#include "tests/wine/synchook/SyncHook.h"

#include <atomic>
#include <memory>
#include <type_traits>

namespace gui {

namespace {

std::atomic<LONG> syncTicket{0};

UINT SyncMessage() {
    static const UINT message = RegisterWindowMessageW(synchook::kMarkerMessage);
    return message;
}

// The hook lives in a DLL of its own, so that Windows can load it into the
// process that owns the window, whichever process that is.
HOOKPROC SyncHookProc(HMODULE* module) {
    static HMODULE dll = LoadLibraryW((ModuleFolder() + L"\\" + synchook::kDllName).c_str());
    *module = dll;
    return dll ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(dll, synchook::kHookProcName)))
               : nullptr;
}

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
struct HookRemover {
    void operator()(HHOOK hook) const { UnhookWindowsHookEx(hook); }
};

}  // namespace

// Posts a marker behind everything already posted to the window and waits
// until the window's thread has taken it from its queue. A sent message would
// not do: a thread handles sent messages before the ones posted to it.
bool Sync(HWND window) {
    const DWORD threadId = GetWindowThreadProcessId(window, nullptr);
    if (threadId == 0) return false;
    if (threadId == GetCurrentThreadId()) {
        PumpMessages();
        return true;
    }
    HMODULE module = nullptr;
    const HOOKPROC proc = SyncHookProc(&module);
    if (proc == nullptr) return false;
    const LONG ticket = ++syncTicket;
    const synchook::EventName name = synchook::SeenEventName(GetCurrentProcessId(), static_cast<unsigned long>(ticket));
    const std::unique_ptr<void, HandleCloser> seen(CreateEventW(nullptr, TRUE, FALSE, name.text));
    if (!seen) return false;
    const std::unique_ptr<std::remove_pointer_t<HHOOK>, HookRemover> hook(
        SetWindowsHookExW(WH_GETMESSAGE, proc, module, threadId));
    if (!hook) return false;
    if (!PostMessageW(window, SyncMessage(), static_cast<WPARAM>(ticket), static_cast<LPARAM>(GetCurrentProcessId())))
        return false;
    // The caller keeps handling its own messages: the window's thread may be
    // sending to one of its windows meanwhile. A window destroyed on the way
    // (a dialog that a posted click ended) has nothing left to wait for.
    return WaitUntil([&] { return WaitForSingleObject(seen.get(), 0) == WAIT_OBJECT_0 || !IsWindow(window); },
                     10000);
}

bool Click(HWND button) {
    if (!button || !IsWindowEnabled(button)) return false;
    return PostMessageW(button, BM_CLICK, 0, 0) != 0;
}

bool ClickWhenEnabled(HWND button, DWORD timeoutMs) {
    return WaitUntil([button] { return IsWindowEnabled(button) != 0; }, timeoutMs) && Click(button);
}

bool PostCommand(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                        reinterpret_cast<LPARAM>(control)) != 0;
}

bool FocusControl(HWND control) {
    DWORD target = GetWindowThreadProcessId(control, nullptr);
    DWORD self = GetCurrentThreadId();
    bool attached = target != self && AttachThreadInput(self, target, TRUE);
    HWND top = GetAncestor(control, GA_ROOT);
    SetForegroundWindow(top);
    SetFocus(control);
    bool focused = GetFocus() == control;
    if (attached) AttachThreadInput(self, target, FALSE);
    return focused;
}

HWND FocusedWindow(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

void TypeText(HWND control, const std::wstring& text) {
    for (wchar_t c : text) PostMessageW(control, WM_CHAR, c, 1);
}

void PressKey(HWND control, UINT virtualKey) {
    LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(control, WM_KEYDOWN, virtualKey, scan | 1);
    PostMessageW(control, WM_KEYUP, virtualKey, scan | 1 | (1LL << 30) | (1LL << 31));
}

bool SetClipboardText(const std::wstring& text) {
    bool opened = WaitUntil([] { return OpenClipboard(nullptr) != 0; }, 5000);
    if (!opened) return false;
    EmptyClipboard();
    size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    bool stored = false;
    if (memory) {
        void* p = GlobalLock(memory);
        memcpy(p, text.c_str(), bytes);
        GlobalUnlock(memory);
        stored = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
        if (!stored) GlobalFree(memory);  // the clipboard owns it only on success
    }
    CloseClipboard();
    return stored;
}

bool PasteText(HWND control, const std::wstring& text) {
    if (!SetClipboardText(text)) return false;
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(control, WM_PASTE, 0, 0, SMTO_NORMAL, 10000, &ignored) != 0;
}

void EditSelection(HWND edit, DWORD* start, DWORD* end) {
    DWORD_PTR packed = 0;
    SendMessageTimeoutW(edit, EM_GETSEL, 0, 0, SMTO_NORMAL, 5000, &packed);
    if (start) *start = LOWORD(packed);
    if (end) *end = HIWORD(packed);
}

bool WaitForText(HWND window, const std::wstring& expected, DWORD timeoutMs) {
    return WaitUntil([&] {
        Sync(window);
        return WindowText(window) == expected;
    }, timeoutMs);
}

}  // namespace gui
