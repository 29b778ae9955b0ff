// Clicking, focusing, typing and pasting.
#include "tests/wine/support/GuiDriver.h"

#include <atomic>

namespace gui {

namespace {

std::atomic<LONG> syncTicket{0};
std::atomic<LONG> syncSeen{0};

UINT SyncMessage() {
    static const UINT message = RegisterWindowMessageW(L"Ortivo.GuiDriver.Sync");
    return message;
}

// Sees the marker when the window's thread takes it from its queue, which
// happens only after everything posted before it has been dispatched.
LRESULT CALLBACK SyncHook(int code, WPARAM removal, LPARAM lParam) {
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (code >= 0 && removal == PM_REMOVE && msg->message == SyncMessage())
        syncSeen = static_cast<LONG>(msg->wParam);
    return CallNextHookEx(nullptr, code, removal, lParam);
}

}  // namespace

bool Sync(HWND window) {
    DWORD processId = 0;
    DWORD threadId = GetWindowThreadProcessId(window, &processId);
    if (threadId == GetCurrentThreadId()) {
        PumpMessages();
        return true;
    }
    if (processId == GetCurrentProcessId()) {
        if (HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, SyncHook, nullptr, threadId)) {
            const LONG ticket = ++syncTicket;
            PostMessageW(window, SyncMessage(), static_cast<WPARAM>(ticket), 0);
            bool done = WaitUntil([ticket] { return syncSeen.load() >= ticket; }, 10000);
            UnhookWindowsHookEx(hook);
            return done;
        }
    }
    // Another process: a sent message at least waits until its thread reads its queue.
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored) != 0;
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
