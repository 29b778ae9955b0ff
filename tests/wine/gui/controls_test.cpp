// The custom controls in a test dialog under Wine: filtered typing and
// pasting, a file dropped on the drop edit, the icon strip under clicks and
// keys, and the owner-drawn profile list checked on screenshot pixels.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <future>
#include <vector>

#include "framework/win/WideText.h"
#include "tests/wine/gui/ControlsTestDialog.h"
#include "tests/wine/support/GuiDriver.h"
#include "tests/wine/support/TestSupport.h"

namespace {

CProfileData Profile(const char16_t* name, int32_t iconIndex) {
    CProfileData p;
    p.SetText(ProfileText::profileName, name);
    p.Record().iconIndex = iconIndex;
    return p;
}

class ControlsDialog : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        profiles_ = new CProfileCollection;
        profiles_->Add(Profile(u"自宅", 0));
        profiles_->Add(Profile(u"会社のネットワーク", 2));
        profiles_->Add(Profile(u"アイコンなし", 7));
        testsupport::RecordMessageFilter();
        dialog_ = new ControlsTestDialog(*profiles_);
        result_ = new std::future<INT_PTR>(std::async(std::launch::async, [] { return dialog_->DoModal(); }));
        window_ = gui::WaitForTopLevel({nullptr, L"コントロールのテスト", GetCurrentProcessId()});
    }
    static void TearDownTestSuite() {
        if (window_) PostMessageW(window_, WM_COMMAND, IDOK, 0);
        // Pump while waiting: closing a window may send messages to this thread.
        gui::WaitUntil([] { return result_->wait_for(std::chrono::seconds(0)) == std::future_status::ready; });
        result_->wait();
        delete result_;
        delete dialog_;
        delete profiles_;
    }
    void SetUp() override { ASSERT_NE(window_, nullptr); }

    static HWND Item(int id) { return GetDlgItem(window_, id); }

    static CProfileCollection* profiles_;
    static ControlsTestDialog* dialog_;
    static std::future<INT_PTR>* result_;
    static HWND window_;
};
CProfileCollection* ControlsDialog::profiles_ = nullptr;
ControlsTestDialog* ControlsDialog::dialog_ = nullptr;
std::future<INT_PTR>* ControlsDialog::result_ = nullptr;
HWND ControlsDialog::window_ = nullptr;

TEST_F(ControlsDialog, IsNotTakenForAMessageBox) {
    gui::MessageBoxInfo info;
    EXPECT_FALSE(gui::ReadMessageBox(window_, &info));  // statics with id -1, but edits and lists too
}

// ---- filtered edits ---------------------------------------------------------------

TEST_F(ControlsDialog, PortFieldTakesTypedDigitsAndFullStopOnly) {
    HWND port = Item(IDC_CONTROLS_PORT);
    gui::SetText(port, L"");
    gui::TypeText(port, L"8080");
    EXPECT_TRUE(gui::WaitForText(port, L"8080"));
    gui::TypeText(port, L"a８ -");
    gui::Sync(port);
    EXPECT_EQ(gui::WindowText(port), L"8080");
    gui::TypeText(port, L".");
    EXPECT_TRUE(gui::WaitForText(port, L"8080."));
    gui::TypeText(port, L"\b");  // backspace edits as usual
    EXPECT_TRUE(gui::WaitForText(port, L"8080"));
}

TEST_F(ControlsDialog, PastedTextIsFilteredAndTheCaretRestored) {
    HWND port = Item(IDC_CONTROLS_PORT);
    gui::SetText(port, L"");
    ASSERT_TRUE(gui::PasteText(port, L"80a80"));
    EXPECT_EQ(gui::WindowText(port), L"8080");
    DWORD start = 0, end = 0;
    gui::EditSelection(port, &start, &end);
    EXPECT_EQ(start, 4u);  // after the paste it was 5: the end of the shorter text
    EXPECT_EQ(end, 4u);

    gui::SetText(port, L"12");
    SendMessageW(port, EM_SETSEL, 0, 0);
    ASSERT_TRUE(gui::PasteText(port, L"a3"));
    EXPECT_EQ(gui::WindowText(port), L"312");
    gui::EditSelection(port, &start, &end);
    EXPECT_EQ(start, 2u);  // where the paste left it
    EXPECT_EQ(end, 2u);

    HWND server = Item(IDC_CONTROLS_SERVER);
    gui::SetText(server, L"");
    ASSERT_TRUE(gui::PasteText(server, L"abc.d あ"));
    EXPECT_EQ(gui::WindowText(server), L"abc.d");
}

TEST_F(ControlsDialog, ClipboardShortcutsStillWorkInFilteredFields) {
    HWND port = Item(IDC_CONTROLS_PORT);
    gui::SetText(port, L"");
    ASSERT_TRUE(gui::SetClipboardText(L"1a2"));
    gui::TypeText(port, L"\x16");  // Ctrl+V as the keyboard delivers it
    EXPECT_TRUE(gui::WaitForText(port, L"12"));
    SendMessageW(port, EM_SETSEL, 0, -1);
    gui::TypeText(port, L"\x18");  // Ctrl+X
    EXPECT_TRUE(gui::WaitForText(port, L""));
    gui::TypeText(port, L"\x16");
    EXPECT_TRUE(gui::WaitForText(port, L"12"));
}

// ---- file drop ---------------------------------------------------------------------

// A drop handle as the shell makes it: DROPFILES and a double-null list.
HDROP MakeDrop(const std::vector<std::wstring>& paths) {
    std::wstring list;
    for (const auto& p : paths) list += p + L'\0';
    list += L'\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
    auto* files = static_cast<DROPFILES*>(GlobalLock(memory));
    files->pFiles = sizeof(DROPFILES);
    files->fWide = TRUE;
    memcpy(reinterpret_cast<char*>(files) + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

std::wstring TempFolder() {
    wchar_t path[MAX_PATH];
    GetTempPathW(MAX_PATH, path);
    std::wstring folder = std::wstring(path) + L"ortivo_drop";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

std::wstring MakeFile(const std::wstring& folder, const wchar_t* name) {
    std::wstring path = folder + L"\\" + name;
    EXPECT_TRUE(testsupport::WriteFileBytes(path));
    return path;
}

TEST_F(ControlsDialog, DroppedFileTakesTheFirstPathAndFoldersAreIgnored) {
    HWND edit = Item(IDC_CONTROLS_DROP);
    std::wstring folder = TempFolder();
    std::wstring a = MakeFile(folder, L"アプリ.exe"), b = MakeFile(folder, L"b.exe"), c = MakeFile(folder, L"c.exe");
    gui::SetText(edit, L"前の値");
    // An elevated program gets the shell's drop messages too.
    EXPECT_EQ(testsupport::MessagesAllowedOn(edit), (std::vector<UINT>{WM_DROPFILES, WM_COPYDATA, 0x0049}));

    PostMessageW(edit, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({folder})), 0);
    gui::Sync(edit);
    EXPECT_EQ(gui::WindowText(edit), L"前の値");
    PostMessageW(edit, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({folder + L"\\missing.exe"})), 0);
    gui::Sync(edit);
    EXPECT_EQ(gui::WindowText(edit), L"前の値");

    PostMessageW(edit, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({a, b, c})), 0);
    EXPECT_TRUE(gui::WaitForText(edit, a));
    for (const auto& p : {a, b, c}) DeleteFileW(p.c_str());
    RemoveDirectoryW(folder.c_str());
}

// ---- icon strip ---------------------------------------------------------------------

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

TEST_F(ControlsDialog, IconStripFollowsClicksAndKeys) {
    HWND strip = Item(IDC_CONTROLS_ICONS);
    CCustomIconListCtrl& icons = *dialog_->icons;
    auto selected = [&] {
        gui::Sync(strip);
        return icons.GetSelectedIconData();
    };
    ASSERT_EQ(selected(), -1);
    // Second icon: x 52..84 at 96 DPI (the test runs at Wine's default 96 DPI).
    PostMessageW(strip, WM_LBUTTONDOWN, MK_LBUTTON, At(70, 26));
    PostMessageW(strip, WM_LBUTTONUP, 0, At(70, 26));
    EXPECT_EQ(selected(), 1);
    PostMessageW(strip, WM_LBUTTONDOWN, MK_LBUTTON, At(47, 26));  // between two icons
    PostMessageW(strip, WM_LBUTTONUP, 0, At(47, 26));
    EXPECT_EQ(selected(), 1);

    gui::PressKey(strip, VK_RIGHT);
    EXPECT_EQ(selected(), 2);
    gui::PressKey(strip, VK_END);
    EXPECT_EQ(selected(), 5);
    gui::PressKey(strip, VK_RIGHT);
    EXPECT_EQ(selected(), 5);
    gui::PressKey(strip, VK_HOME);
    EXPECT_EQ(selected(), 0);
    gui::PressKey(strip, VK_LEFT);
    EXPECT_EQ(selected(), 0);
    gui::PressKey(strip, VK_DOWN);
    EXPECT_EQ(selected(), 0);

    POINT before = icons.GetScrollPosition();
    DWORD_PTR handled = 0;
    SendMessageTimeoutW(strip, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), At(70, 26),
                        SMTO_NORMAL, 5000, &handled);
    EXPECT_EQ(handled, static_cast<DWORD_PTR>(TRUE));
    EXPECT_EQ(icons.GetScrollPosition().x, before.x);

    // The selected icon carries a red frame on the screen.
    gui::Image shot;
    ASSERT_TRUE(gui::CaptureWindow(strip, &shot));
    RECT window, client;
    GetWindowRect(strip, &window);
    POINT origin = {0, 0};
    ClientToScreen(strip, &origin);
    int frameX = origin.x - window.left + 10, frameY = origin.y - window.top + 26;
    EXPECT_EQ(shot.At(frameX, frameY), 0xFF0000u);
    GetClientRect(strip, &client);
    EXPECT_NE(shot.At(frameX + 42, frameY), 0xFF0000u);  // the next icon is not framed
}

TEST_F(ControlsDialog, NarrowIconStripScrollsTheSelectionIntoView) {
    HWND strip = Item(IDC_CONTROLS_ICONS);
    CCustomIconListCtrl& icons = *dialog_->icons;
    RECT before;
    GetWindowRect(strip, &before);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&before), 2);
    SetWindowPos(strip, nullptr, 0, 0, 120, before.bottom - before.top, SWP_NOMOVE | SWP_NOZORDER);
    RECT client;
    GetClientRect(strip, &client);
    auto scrolled = [&] {
        gui::Sync(strip);
        return GetScrollPos(strip, SB_HORZ);
    };
    PostMessageW(strip, WM_LBUTTONDOWN, MK_LBUTTON, At(26, 26));  // first icon
    PostMessageW(strip, WM_LBUTTONUP, 0, At(26, 26));
    EXPECT_EQ(scrolled(), 0);
    ASSERT_EQ(icons.GetSelectedIconData(), 0);
    gui::PressKey(strip, VK_END);  // last icon: right edge 252, plus the right margin
    EXPECT_EQ(scrolled(), 262 - client.right);
    EXPECT_EQ(icons.GetScrollPosition().x, 262 - client.right);
    EXPECT_EQ(icons.GetSelectedIconData(), 5);
    // Position 0 is never scrolled to by EnsureIconVisible, even when out of view.
    EXPECT_EQ(icons.EnsureIconVisible(0), 0);
    EXPECT_EQ(scrolled(), 262 - client.right);
    SendMessageW(strip, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(scrolled(), 262 - client.right);
    gui::SaveScreenshot(window_, L"controls_icon_strip_scrolled.png");
    gui::PressKey(strip, VK_HOME);
    EXPECT_EQ(scrolled(), 0);
    SetWindowPos(strip, nullptr, 0, 0, before.right - before.left, before.bottom - before.top,
                 SWP_NOMOVE | SWP_NOZORDER);
}

// ---- profile list -------------------------------------------------------------------

struct RowPixels {
    gui::Image shot;
    RECT row;      // in the image's coordinates
    RECT visible;  // the part of the row inside the list's client area
};

bool CaptureRow(HWND list, int index, RowPixels* out) {
    RECT bounds = {LVIR_BOUNDS, 0, 0, 0};
    if (!SendMessageW(list, LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&bounds))) return false;
    HWND top = GetAncestor(list, GA_ROOT);
    RECT client;
    GetClientRect(list, &client);
    IntersectRect(&out->visible, &bounds, &client);
    RECT window;
    GetWindowRect(top, &window);
    for (RECT* r : {&bounds, &out->visible}) {
        MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(r), 2);
        OffsetRect(r, -window.left, -window.top);
    }
    out->row = bounds;
    return gui::CaptureWindow(top, &out->shot);
}

uint32_t Rgb(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

TEST_F(ControlsDialog, SelectedProfileRowIsHighlightedAndFramedInRed) {
    HWND list = Item(IDC_CONTROLS_PROFILES);
    RECT bounds = {LVIR_BOUNDS, 0, 0, 0};
    SendMessageW(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&bounds));
    // The font change made the list measure its rows through MeasureItem:
    // the 1 x 36 image list (Wine's list view adds one pixel), unscaled at
    // 96 DPI, plus what the test's override adds.
    EXPECT_GE(dialog_->profileList.measured, 1);
    const int height = bounds.bottom - bounds.top - MeasuringProfileList::kExtraHeight;
    EXPECT_GE(height, 36);
    EXPECT_LE(height, 38);

    ASSERT_TRUE(gui::ListViewSelect(list, 1));
    gui::FocusControl(Item(IDC_CONTROLS_PORT));  // the selection shows without the focus
    RowPixels selected;
    ASSERT_TRUE(CaptureRow(list, 1, &selected));
    gui::SaveScreenshot(window_, L"controls_dialog.png");
    COLORREF highlight = GetSysColor(COLOR_MENUHILIGHT);
    if (highlight == 0) highlight = RGB(49, 106, 197);
    const RECT& r = selected.row;
    const int middle = (r.top + r.bottom) / 2;
    EXPECT_EQ(selected.shot.At(r.left + 1, middle), 0xFF0000u);       // left frame line
    EXPECT_EQ(selected.shot.At(r.left + 20, r.top + 1), 0xFF0000u);   // top frame line
    EXPECT_EQ(selected.shot.At(r.left + 40, r.top + 4), Rgb(highlight));
    EXPECT_EQ(selected.shot.At(r.left + 200, r.bottom - 4), Rgb(highlight));

    RowPixels other;
    ASSERT_TRUE(CaptureRow(list, 0, &other));
    EXPECT_EQ(other.shot.At(other.row.left + 40, other.row.top + 4), 0xFFFFFFu);
    EXPECT_EQ(other.shot.At(other.row.left + 1, (other.row.top + other.row.bottom) / 2), 0xFFFFFFu);
}

TEST_F(ControlsDialog, ProfileRowsDrawIconsFromTheCollection) {
    HWND list = Item(IDC_CONTROLS_PROFILES);
    LVITEMW clear = {};
    clear.stateMask = LVIS_SELECTED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&clear));
    RowPixels first, noIcon, missing;
    ASSERT_TRUE(CaptureRow(list, 0, &first));
    ASSERT_TRUE(CaptureRow(list, 2, &noIcon));
    ASSERT_TRUE(CaptureRow(list, 3, &missing));
    // iconIndex 7 is drawn with the first profile icon, at (left + 2, top + 2).
    int differing = 0, drawn = 0;
    for (int y = 2; y < 34; ++y)
        for (int x = 2; x < 34; ++x) {
            uint32_t a = first.shot.At(first.row.left + x, first.row.top + y);
            uint32_t b = noIcon.shot.At(noIcon.row.left + x, noIcon.row.top + y);
            differing += a != b;
            drawn += a != 0xFFFFFFu;
        }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(drawn, 200);
    // A row whose profile is gone stays blank.
    int marked = 0;
    ASSERT_GT(missing.visible.bottom - missing.visible.top, 20);
    for (int y = missing.visible.top; y < missing.visible.bottom; ++y)
        for (int x = missing.visible.left; x < missing.visible.right; ++x) marked += missing.shot.At(x, y) != 0xFFFFFFu;
    EXPECT_EQ(marked, 0);
}

}  // namespace
