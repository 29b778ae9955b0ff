// Clicking, focusing, typing and pasting.
#include "tests/wine/support/GuiDriver.h"
#include "tests/wine/support/TestSupport.h"
#include "tests/wine/synchook/SyncHook.h"
#include "framework/win/UniqueHandle.h"

#include <atomic>

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
    static HMODULE dll = LoadLibraryW((testsupport::ExeDir() + L"\\" + synchook::kDllName).c_str());
    *module = dll;
    return dll ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(dll, synchook::kHookProcName)))
               : nullptr;
}

struct HookTraits {
    using Type = HHOOK;
    static Type Empty() { return nullptr; }
    static bool Close(Type hook) { return UnhookWindowsHookEx(hook) != FALSE; }
};

// "Button 1004 "追加"": a control named with its caption.
std::string Captioned(HWND control) {
    return WindowName(control) + " \"" + testsupport::Narrow(WindowText(control)) + "\"";
}

Outcome SystemFailure(const std::string& what, HWND window) {
    return AssertionFailure() << what << " " << WindowName(window) << " failed (error " << GetLastError() << ")";
}

}  // namespace

// Posts a marker behind everything already posted to the window and waits
// until the window's thread has taken it from its queue. A sent message would
// not do: a thread handles sent messages before the ones posted to it.
Outcome Sync(HWND window) {
    const DWORD threadId = GetWindowThreadProcessId(window, nullptr);
    if (threadId == 0) return AssertionFailure() << "Sync: " << WindowName(window) << " has no thread";
    if (threadId == GetCurrentThreadId()) {
        PumpMessages();
        return AssertionSuccess();
    }
    HMODULE module = nullptr;
    const HOOKPROC proc = SyncHookProc(&module);
    if (proc == nullptr) return AssertionFailure() << "Sync: the message hook could not be loaded";
    const LONG ticket = ++syncTicket;
    const synchook::EventName name = synchook::SeenEventName(GetCurrentProcessId(), static_cast<unsigned long>(ticket));
    const CKernelHandle seen(CreateEventW(nullptr, TRUE, FALSE, name.text));
    if (!seen.Valid()) return SystemFailure("Sync: the event for", window);
    const CUniqueHandle<HookTraits> hook(SetWindowsHookExW(WH_GETMESSAGE, proc, module, threadId));
    if (!hook.Valid()) return SystemFailure("Sync: hooking the thread of", window);
    if (!PostMessageW(window, SyncMessage(), static_cast<WPARAM>(ticket), static_cast<LPARAM>(GetCurrentProcessId())))
        return SystemFailure("Sync: posting the marker to", window);
    // The caller keeps handling its own messages: the window's thread may be
    // sending to one of its windows meanwhile. A window destroyed on the way
    // (a dialog that a posted click ended) has nothing left to wait for.
    const std::string target = WindowName(window);
    return WaitUntil([&] {
        return Outcome(WaitForSingleObject(seen.Get(), 0) == WAIT_OBJECT_0 || !IsWindow(window))
               << "the thread of " << target << " has not taken the marker posted to it";
    }, 10000);
}

Outcome Click(HWND button) {
    if (!IsWindow(button)) return AssertionFailure() << "no button to click: " << WindowName(button);
    if (!IsWindowEnabled(button)) return AssertionFailure() << Captioned(button) << " is disabled";
    if (!PostMessageW(button, BM_CLICK, 0, 0)) return SystemFailure("posting BM_CLICK to", button);
    return AssertionSuccess();
}

// The click follows the check at once, as a user's would: asking the button
// for its caption in between would give its state time to change again.
Outcome ClickWhenEnabled(HWND button, DWORD timeoutMs) {
    if (WaitUntil([button] { return IsWindowEnabled(button) != FALSE; }, timeoutMs)) return Click(button);
    return TimedOut(timeoutMs) << Captioned(button) << " is disabled";
}

Outcome PostCommand(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    if (!PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control)))
        return SystemFailure("posting command " + std::to_string(id) + " to", dialog);
    return AssertionSuccess();
}

Outcome FocusControl(HWND control) {
    DWORD target = GetWindowThreadProcessId(control, nullptr);
    DWORD self = GetCurrentThreadId();
    bool attached = target != self && AttachThreadInput(self, target, TRUE);
    HWND top = GetAncestor(control, GA_ROOT);
    SetForegroundWindow(top);
    SetFocus(control);
    const HWND focus = GetFocus();
    if (attached) AttachThreadInput(self, target, FALSE);
    if (focus == control) return AssertionSuccess();
    return AssertionFailure() << "the focus went to " << WindowName(focus) << ", not to " << WindowName(control);
}

HWND FocusedWindow(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

Outcome WaitForFocus(HWND control, DWORD timeoutMs) {
    HWND focus = nullptr;
    const auto focused = [&] {
        focus = FocusedWindow(control);
        return focus != nullptr && (focus == control || GetParent(focus) == control);
    };
    if (WaitUntil(focused, timeoutMs)) return AssertionSuccess();
    return TimedOut(timeoutMs) << "the focus was on " << WindowName(focus) << ", not on " << WindowName(control);
}

void TypeText(HWND control, const std::wstring& text) {
    for (wchar_t c : text) PostMessageW(control, WM_CHAR, c, 1);
}

void PressKey(HWND control, UINT virtualKey) {
    LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(control, WM_KEYDOWN, virtualKey, scan | 1);
    PostMessageW(control, WM_KEYUP, virtualKey, scan | 1 | (1LL << 30) | (1LL << 31));
}

Outcome SetClipboardText(const std::wstring& text) {
    const Outcome opened = WaitUntil([] {
        return Outcome(OpenClipboard(nullptr) != FALSE) << "the clipboard could not be opened (error " << GetLastError()
                                                         << ")";
    }, 5000);
    if (!opened) return opened;
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
    return stored ? AssertionSuccess() : AssertionFailure() << "the clipboard did not take the text";
}

Outcome PasteText(HWND control, const std::wstring& text) {
    const Outcome copied = SetClipboardText(text);
    if (!copied) return copied;
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutW(control, WM_PASTE, 0, 0, SMTO_NORMAL, 10000, &ignored))
        return SystemFailure("WM_PASTE to", control);
    return AssertionSuccess();
}

void EditSelection(HWND edit, DWORD* start, DWORD* end) {
    DWORD_PTR packed = 0;
    SendMessageTimeoutW(edit, EM_GETSEL, 0, 0, SMTO_NORMAL, 5000, &packed);
    if (start) *start = LOWORD(packed);
    if (end) *end = HIWORD(packed);
}

Outcome WaitForText(HWND window, const std::wstring& expected, DWORD timeoutMs) {
    std::wstring text;
    const auto shown = [&] {
        Sync(window);
        return (text = WindowText(window)) == expected;
    };
    if (WaitUntil(shown, timeoutMs)) return AssertionSuccess();
    return TimedOut(timeoutMs) << "the text of " << WindowName(window) << " was \"" << testsupport::Narrow(text)
                               << "\", not \"" << testsupport::Narrow(expected) << "\"";
}

Outcome SetText(HWND window, const std::wstring& text) {
    DWORD_PTR ignored = 0;
    if (SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL, 10000,
                            &ignored))
        return AssertionSuccess();
    return SystemFailure("setting the text of", window);
}

Outcome ReplaceText(HWND edit, const std::wstring& text) {
    const Outcome emptied = SetText(edit, L"");
    if (!emptied) return emptied;
    TypeText(edit, text);
    return WaitForText(edit, text);
}

}  // namespace gui
