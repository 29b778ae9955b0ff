// The main dialog's system menu and the hint window at start, in the real
// Tolvik_Network.exe: the hint window with its "HideHints" box and the
// About box.
#include <gtest/gtest.h>

#include "resources/resource.h"
#include "system/win/RegAccess.h"
#include "tests/wine/support/MainWindowDriver.h"
#include "tests/wine/support/RegistrySeed.h"
#include "tests/wine/support/TestSupport.h"

namespace {

using testsupport::Narrow;

constexpr WPARAM kMenuAbout = 32815, kMenuHints = 32816;
constexpr WPARAM kHintTimer = 1;
const wchar_t kHintsText[] =
    L"便利な使い方\r\n\r\n1. タスクバーのアイコンを右クリックします。\r\n"
    L"2. 「タスク バーにこのプログラムを表示する」を選択します。\r\n3. タスクバーのアイコン表示が固定されます。\r\n"
    L"4. アプリケーション終了後もタスクバーから簡単にプロファイル反映等を行うことができます。";
const wchar_t kAboutCaption[] = L"Ortivo のバージョン情報";

bool IsHintWindow(HWND w) { return GetDlgItem(w, IDC_HINTS_TEXT) != nullptr && GetDlgItem(w, IDC_HINTS_PICTURE) != nullptr; }

// A REG_DWORD of the settings key, -1 when there is none.
long long StoredDword(const wchar_t* name) { return RegistryDword(HKEY_CURRENT_USER, kSettingsKeyPath, name); }

// Hint windows of the process, shown or not yet shown.
int HintWindowCount(DWORD processId) {
    int count = 0;
    for (HWND w : gui::DialogsOf(processId, false)) count += IsHintWindow(w) ? 1 : 0;
    return count;
}

// Waits until the window's thread has handled what was sent before (a sent
// message is handled only when the thread next reads its queue).
bool SendAndWait(HWND window, UINT message, WPARAM wParam = 0) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, message, wParam, 0, SMTO_NORMAL, gui::kDefaultTimeoutMs, &result) != 0;
}

class SystemMenu : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(app_.WriteDataFile({L"会社"})); }

    HWND StartAndWaitForMain() {
        if (!app_.StartToMain()) return nullptr;
        if (!gui::WaitUntil([&] { return IsWindowVisible(app_.Main()) != FALSE; })) return nullptr;
        return app_.Main();
    }
    HWND WaitForHint() const { return app_.WaitForDialog(IsHintWindow); }

    MainWindowDriver app_;
};

TEST_F(SystemMenu, HintWindowOpensAfterTheStartAndOkStoresItsTickedBox) {
    // The driver hides hints; this start shows them.
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kSettingsKeyPath, L"HideHints");
    ASSERT_TRUE(app_.Start());
    HWND hint = WaitForHint();
    ASSERT_NE(hint, nullptr) << "no hint window after the start";
    EXPECT_EQ(Narrow(gui::WindowText(hint)), "Ortivo");
    EXPECT_EQ(Narrow(gui::WindowText(GetDlgItem(hint, IDC_HINTS_TEXT))), Narrow(kHintsText));
    EXPECT_NE(GetWindowLongPtrW(hint, GWL_EXSTYLE) & WS_EX_TOPMOST, 0) << "the hint window stays on top";
    HWND check = GetDlgItem(hint, IDC_HINTS_HIDE);
    EXPECT_FALSE(gui::IsChecked(check)) << "no HideHints: the box starts unticked";
    gui::SaveScreenshot(hint, L"mainwindow_hint_window.png");

    ASSERT_TRUE(gui::Click(check));
    ASSERT_TRUE(gui::WaitUntil([&] { return gui::IsChecked(check); }));
    ASSERT_TRUE(gui::Click(GetDlgItem(hint, IDOK)));
    ASSERT_TRUE(gui::WaitForWindowGone(hint));
    EXPECT_EQ(StoredDword(L"HideHints"), 1);
}

TEST_F(SystemMenu, WithHintsHiddenTheMenuStillOpensTheHintAndShowsTheAboutBox) {
    const HWND main = StartAndWaitForMain();
    ASSERT_NE(main, nullptr);

    // Whether or not its timer has fired yet, the timer's own message is
    // handled before this call returns (a hint window would be up, modal,
    // and keep it from returning); the handler ends the timer, so no hint
    // window can come later.
    DWORD_PTR ignored = 0;
    ASSERT_TRUE(SendMessageTimeoutW(main, WM_TIMER, kHintTimer, 0, SMTO_NORMAL, gui::kDefaultTimeoutMs, &ignored))
        << "the hint timer's handler did not return";
    EXPECT_EQ(HintWindowCount(app_.ProcessId()), 0) << "HideHints is 1: no hint window at the start";

    // The hint window from the menu, with its box ticked; Escape stores nothing.
    ASSERT_TRUE(PostMessageW(main, WM_SYSCOMMAND, kMenuHints, 0));
    HWND hint = WaitForHint();
    ASSERT_NE(hint, nullptr) << "the menu entry opens the hint window whatever HideHints holds";
    HWND check = GetDlgItem(hint, IDC_HINTS_HIDE);
    EXPECT_TRUE(gui::IsChecked(check));
    ASSERT_TRUE(gui::Click(check));
    ASSERT_TRUE(gui::WaitUntil([&] { return !gui::IsChecked(check); }));
    gui::PressKey(check, VK_ESCAPE);
    ASSERT_TRUE(gui::WaitForWindowGone(hint));
    EXPECT_EQ(StoredDword(L"HideHints"), 1);

    // Unticked, OK stores "off": the value goes.
    ASSERT_TRUE(PostMessageW(main, WM_SYSCOMMAND, kMenuHints, 0));
    hint = WaitForHint();
    ASSERT_NE(hint, nullptr);
    check = GetDlgItem(hint, IDC_HINTS_HIDE);
    ASSERT_TRUE(gui::Click(check));
    ASSERT_TRUE(gui::WaitUntil([&] { return !gui::IsChecked(check); }));
    ASSERT_TRUE(gui::Click(GetDlgItem(hint, IDOK)));
    ASSERT_TRUE(gui::WaitForWindowGone(hint));
    EXPECT_EQ(StoredDword(L"HideHints"), -1) << "HideHints is still on";

    // The About box; OK closes it and the main dialog goes on.
    ASSERT_TRUE(PostMessageW(main, WM_SYSCOMMAND, kMenuAbout, 0));
    HWND about = app_.WaitForDialog([](HWND w) { return gui::WindowText(w) == kAboutCaption; });
    ASSERT_NE(about, nullptr) << "no About box";
    EXPECT_NE(gui::FindChildByText(about, L"バージョン　3.00", L"Static"), nullptr);
    ASSERT_TRUE(gui::Click(GetDlgItem(about, IDOK)));
    ASSERT_TRUE(gui::WaitForWindowGone(about));
    // Handled after the About box's handler, or inside a message box 183
    // that would keep the main dialog disabled.
    ASSERT_TRUE(SendAndWait(main, WM_NULL));
    EXPECT_TRUE(IsWindowEnabled(main)) << "the jump list around the About box was rebuilt without failing";
}

}  // namespace
