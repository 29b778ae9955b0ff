#pragma once
// Drives windows of the program under test (or of the test itself) under
// Wine: start programs, wait for and find windows and controls, read texts,
// click, type and paste, read and answer message boxes, operate IP address
// and list-view controls of another process, and take PNG screenshots.
//
// Every wait takes a time limit and pumps the calling thread's messages, so
// a test may drive a modeless dialog of its own thread as well.
//
// Waits and actions return an Outcome: true when they succeeded, otherwise
// false with what the driver saw last ("after 20000 ms the text of Edit 1006
// was ...", "Button 1004 "追加" is disabled"), which ASSERT_TRUE and
// EXPECT_TRUE print as they are.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <type_traits>
#include <vector>


namespace gui {

// Pixels row by row from the top, each 0x00RRGGBB.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

constexpr DWORD kDefaultTimeoutMs = 20000;

using Outcome = ::testing::AssertionResult;
using ::testing::AssertionFailure;
using ::testing::AssertionSuccess;

// How a message names a window: a control by its class and id ("Button
// 1004"), a top-level window by its class and caption ("#32770 "Ortivo"").
std::string WindowName(HWND window);

// ---- files -----------------------------------------------------------------
std::wstring ArtifactFolder();                    // <build>/artifacts (created on demand)
std::wstring ArtifactPath(const std::wstring& fileName);

// ---- processes -------------------------------------------------------------
// A started program; the destructor ends it if it still runs.
class Program {
public:
    Program() = default;
    Program(HANDLE process, DWORD processId) : process_(process), processId_(processId) {}
    Program(Program&& other) noexcept;
    Program& operator=(Program&& other) noexcept;
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    ~Program();

    bool Started() const { return process_ != nullptr; }
    HANDLE Handle() const { return process_; }
    DWORD Id() const { return processId_; }
    // Waits for the end of the program; fails on time-out. Exit code in *code.
    Outcome WaitForExit(DWORD timeoutMs, DWORD* code = nullptr);
    void Terminate();

private:
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
};

// CreateProcessW of `exePath` with `arguments` (appended after the quoted
// path), in `directory` (default: the program's own folder).
Program StartProgram(const std::wstring& exePath, const std::wstring& arguments = L"",
                     const std::wstring& directory = L"");
// `count` instances, all made suspended first and then let go together
// (fewer when one cannot be made).
std::vector<Program> StartProgramsAtOnce(const std::wstring& exePath, int count,
                                         const std::wstring& arguments = L"");
// What a program wrote to its standard output and standard error, as bytes.
struct CapturedOutput {
    std::string out, err;
};
// Starts a program and waits for its end, pumping messages: its exit code,
// -1 when it could not start, -2 when it still ran at the limit (it is ended).
// With `captured`, its standard output and error are pipes read into it.
long RunProgram(const std::wstring& exePath, const std::wstring& arguments, DWORD timeoutMs,
                const std::wstring& directory = L"", CapturedOutput* captured = nullptr);

// ---- waiting ---------------------------------------------------------------
void PumpMessages();
// Calls `condition` until it holds or the time is up, pumping messages. A
// condition that returns an Outcome says what it saw, as in
// `Outcome(count == 2) << "the list has " << count << " rows"`; a failed
// wait reports what it said last, a successful one says nothing.
Outcome WaitUntil(const std::function<Outcome()>& condition, DWORD timeoutMs = kDefaultTimeoutMs);
// The start of a failed wait's message: "after 20000 ms ".
Outcome TimedOut(DWORD timeoutMs);
// A condition on a list of texts (rows, names): what it saw when they differ.
Outcome TextsAre(const std::vector<std::wstring>& seen, const std::vector<std::wstring>& expected);
// A condition that returns bool: a failed wait can only say that it did not hold.
template <typename Condition,
          typename = std::enable_if_t<!std::is_same_v<std::decay_t<std::invoke_result_t<Condition&>>, Outcome>>>
Outcome WaitUntil(Condition condition, DWORD timeoutMs = kDefaultTimeoutMs) {
    return WaitUntil(std::function<Outcome()>([&] {
        return Outcome(static_cast<bool>(condition())) << "the condition did not hold";
    }), timeoutMs);
}

// ---- finding windows -------------------------------------------------------
constexpr wchar_t kDialogClass[] = L"#32770";  // dialogs and message boxes
struct WindowQuery {
    const wchar_t* className = nullptr;  // exact class, or null for any
    const wchar_t* title = nullptr;      // exact window text, or null for any
    DWORD processId = 0;                 // owning process, or 0 for any
    bool visibleOnly = true;
    HWND exclude = nullptr;              // e.g. a window known before
};
HWND FindTopLevel(const WindowQuery& query);
std::vector<HWND> FindTopLevels(const WindowQuery& query);
HWND WaitForTopLevel(const WindowQuery& query, DWORD timeoutMs = kDefaultTimeoutMs);
// The dialog-class windows of the process.
std::vector<HWND> DialogsOf(DWORD processId, bool visibleOnly = true);
// A visible dialog-class window of the process for which `wanted` holds.
HWND WaitForDialog(DWORD processId, const std::function<bool(HWND)>& wanted,
                   DWORD timeoutMs = kDefaultTimeoutMs);
Outcome WaitForWindowGone(HWND window, DWORD timeoutMs = kDefaultTimeoutMs);

// The page a property sheet or wizard shows now; null when it does not answer.
HWND CurrentPage(HWND sheet, DWORD timeoutMs = kDefaultTimeoutMs);
// Descendants (depth first, so property-sheet pages are searched too).
HWND FindChild(HWND parent, int id, const wchar_t* className = nullptr);
HWND FindChildByClass(HWND parent, const wchar_t* className, int index = 0);
HWND FindChildByText(HWND parent, const std::wstring& text, const wchar_t* className = nullptr);

std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);
bool IsChecked(HWND button);

// ---- input -----------------------------------------------------------------
// Clicks a button the way a mouse click does (posted BM_CLICK); fails when
// the button is missing or disabled.
Outcome Click(HWND button);
// Waits until the button is enabled (its state may follow a posted request), then clicks.
Outcome ClickWhenEnabled(HWND button, DWORD timeoutMs = kDefaultTimeoutMs);
// Posts WM_COMMAND(BN_CLICKED) for control `id` to `dialog`.
Outcome PostCommand(HWND dialog, int id);
// Gives the keyboard focus to a control of any thread of this desktop.
Outcome FocusControl(HWND control);
// The window with the keyboard focus in the thread that owns `window`.
HWND FocusedWindow(HWND window);
// Waits until the focus of the control's thread is on the control or on one
// of its children (a field of an IP address control).
Outcome WaitForFocus(HWND control, DWORD timeoutMs = kDefaultTimeoutMs);
// Posts one WM_CHAR per character to the control (through the owner's
// message loop, so PreTranslateMessage sees them). Control characters like
// 0x16 (Ctrl+V) can be typed the same way.
void TypeText(HWND control, const std::wstring& text);
// Posts WM_KEYDOWN and WM_KEYUP of a virtual key.
void PressKey(HWND control, UINT virtualKey);
// Puts Unicode text on the clipboard.
Outcome SetClipboardText(const std::wstring& text);
// Clipboard text, then WM_PASTE sent to the control.
Outcome PasteText(HWND control, const std::wstring& text);
// Selection of an edit control (EM_GETSEL).
void EditSelection(HWND edit, DWORD* start, DWORD* end);
// Waits until the control's text equals `expected` (messages posted earlier processed).
Outcome WaitForText(HWND window, const std::wstring& expected, DWORD timeoutMs = kDefaultTimeoutMs);
// Sets a window's text as a program does (WM_SETTEXT), without typing.
Outcome SetText(HWND window, const std::wstring& text);
// Empties an edit control, types `text` into it and waits until it shows it.
Outcome ReplaceText(HWND edit, const std::wstring& text);
// Waits until the thread that owns `window` has dispatched what was posted
// to it so far (exact for windows of this process; for another process only
// until its thread next reads its queue).
Outcome Sync(HWND window);

// ---- IP address controls ---------------------------------------------------
void SetIpAddress(HWND control, DWORD address);   // first octet in the high byte
void ClearIpAddress(HWND control);
// Value and number of filled fields (0..4) of the control, also of another
// process; a failed query fails the running test.
bool ReadIpAddress(HWND control, DWORD* address, int* filledFields);

// ---- list views of any process ---------------------------------------------
// A query that fails (no such window, no answer within its time) fails the
// running test; the value returned then is 0, -1 or empty.
int ListViewCount(HWND list);
int ListViewSelected(HWND list);                  // first selected row or -1
std::wstring ListViewText(HWND list, int row, int column = 0);
LPARAM ListViewData(HWND list, int row);
// The texts of one column of every row; none, without a failure, once the
// list is gone (a file dialog's view of a folder goes at any moment).
std::vector<std::wstring> ListViewRows(HWND list, int column = 0);
Outcome ListViewSelect(HWND list, int row);       // selected + focused, others cleared; -1: none selected

// ---- dropped files ---------------------------------------------------------
// Drops files on a control of any process as the shell does (WM_DROPFILES
// with a drop handle in that process); returns once the control handled it.
Outcome DropFiles(HWND control, const std::vector<std::wstring>& paths);

// ---- message boxes ---------------------------------------------------------
enum class BoxIcon { None, Error, Warning, Information, Question, Unknown };

struct MessageBoxInfo {
    HWND window = nullptr;
    std::wstring caption;
    std::wstring text;
    BoxIcon icon = BoxIcon::None;
};

// Waits for a visible message box of the process (0 = any) and reads it: a
// "#32770" window with the text static 0xFFFF and nothing but statics and
// standard push buttons (so that a dialog of the program never counts).
// A box that is found says its caption and text (for EXPECT_FALSE); a wait
// that fails names the dialogs that the process showed instead.
Outcome WaitForMessageBox(MessageBoxInfo* info, DWORD processId = 0, DWORD timeoutMs = kDefaultTimeoutMs);
Outcome ReadMessageBox(HWND box, MessageBoxInfo* info);
// Presses the box's button IDOK, IDYES, IDNO, ... and waits for the box to go.
Outcome AnswerMessageBox(HWND box, int buttonId);
// The dialogs that the process (0: any) shows, named for a failure's
// message, a message box with its text; "none" when there is none.
std::string DialogsShown(DWORD processId);
// Test expectation: the next message box of the process has the caption
// "Ortivo" (or `caption`), `text` and `icon`; it is answered with `answer`.
void ExpectMessageBox(DWORD processId, const std::wstring& text, BoxIcon icon, int answer = IDOK,
                      DWORD timeoutMs = kDefaultTimeoutMs, const wchar_t* caption = L"Ortivo");
const char* BoxIconName(BoxIcon icon);

// ---- the system's file dialogs --------------------------------------------
// A file dialog of the process (Explorer style or the old one), other than
// `except`.
HWND WaitForFileDialog(DWORD processId, HWND except = nullptr, DWORD timeoutMs = kDefaultTimeoutMs);
// Puts `name` into the dialog's file name field and presses its OK button
// (open or save); a folder's name opens the folder and the dialog stays.
Outcome EnterFileName(HWND dialog, const std::wstring& name);

// ---- layout ----------------------------------------------------------------
// Static texts and button captions of a dialog of this process that its
// controls do not show in full with their fonts (a line per control, empty
// when everything fits). Only controls with WS_VISIBLE count.
std::vector<std::wstring> TextsNotShownInFull(HWND dialog);
// Ids of the visible controls of a window (of any process) that do not lie
// wholly inside its client area, such as a page that its sheet cuts off.
std::vector<int> ControlsOutside(HWND window);

// ---- screenshots -----------------------------------------------------------
// The window as it is on the screen (brought to the top first). Waits until
// two captures in a row agree, so pending painting has reached the screen;
// a blinking caret inside the window is left out of that comparison.
Outcome CaptureWindow(HWND window, Image* image);
// Captures and writes <artifacts>/<fileName>; the full path in *path. A
// screenshot that could not be taken or written fails the running test.
Outcome SaveScreenshot(HWND window, const std::wstring& fileName, std::wstring* path = nullptr);
Outcome SavePng(const Image& image, const std::wstring& path);

}  // namespace gui
