// The progress dialog on a thread with the framework's message loop, the
// way the main dialog's thread runs it: profile line, progress values,
// background colour, and Enter/Esc/F1 that never close it.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "framework/win/MessageLoop.h"
#include "resources/resource.h"
#include "switching/win/NetworkSettingDescriptionDlg.h"
#include "tests/wine/support/GuiDriver.h"

namespace {

constexpr UINT kSetPosition = WM_APP + 1;  // thread message: wParam per cent
constexpr UINT kSetProfile = WM_APP + 2;   // thread message: lParam const wchar_t*
constexpr UINT kQuit = WM_APP + 3;

// Runs the dialog on its own user-interface thread.
class ProgressThread {
public:
    ProgressThread() {
        thread_ = std::thread([this] { Run(); });
        gui::WaitUntil([this] { return ready_.load(); });
    }
    ~ProgressThread() {
        PostThreadMessageW(threadId_, kQuit, 0, 0);
        thread_.join();
    }
    void Post(UINT message, WPARAM wParam, LPARAM lParam = 0) {
        PostThreadMessageW(threadId_, message, wParam, lParam);
    }
    HWND window = nullptr;

private:
    void Run() {
        threadId_ = GetCurrentThreadId();
        CNetworkSettingDescriptionDlg dialog;
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue exists now
        if (dialog.CreateIfNeeded()) {
            dialog.CenterWindow();
            dialog.SetProfile(L"自宅 (有線)");
            dialog.ShowWindow(SW_SHOW);
            window = dialog.m_hWnd;
        }
        ready_ = true;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            if (msg.hwnd == nullptr && msg.message == kQuit) break;
            if (msg.hwnd == nullptr && msg.message == kSetPosition) dialog.SetPosition(static_cast<int>(msg.wParam));
            if (msg.hwnd == nullptr && msg.message == kSetProfile)
                dialog.SetProfile(reinterpret_cast<const wchar_t*>(msg.lParam));
            if (!msgloop::PreTranslate(&msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
    }

    std::thread thread_;
    DWORD threadId_ = 0;
    std::atomic<bool> ready_{false};
};

int Position(HWND bar) {
    DWORD_PTR pos = 0;
    SendMessageTimeoutW(bar, PBM_GETPOS, 0, 0, SMTO_NORMAL, 5000, &pos);
    return static_cast<int>(pos);
}

TEST(ProgressDialog, ShowsProfileFollowsProgressAndIgnoresEnterAndEscape) {
    ProgressThread ui;
    HWND window = ui.window;
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(gui::WaitUntil([&] { return IsWindowVisible(window) != 0; }));
    EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(gui::WindowText(GetDlgItem(window, IDC_PROGRESS_PROFILE)), L"プロファイル：自宅 (有線)");
    HWND bar = GetDlgItem(window, IDC_PROGRESS_BAR);
    PBRANGE range = {};
    SendMessageW(bar, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(range.iLow, 0);
    EXPECT_EQ(range.iHigh, 100);
    EXPECT_EQ(Position(bar), 0);

    for (int percent : {20, 40, 100}) {
        ui.Post(kSetPosition, percent);
        EXPECT_TRUE(gui::WaitUntil([&] { return Position(bar) == percent; })) << percent;
    }

    for (UINT key : {VK_RETURN, VK_ESCAPE, VK_F1}) {
        gui::PressKey(window, key);
        gui::Sync(window);
        EXPECT_TRUE(IsWindow(window) && IsWindowVisible(window)) << key;
    }

    gui::Image shot;
    ASSERT_TRUE(gui::CaptureWindow(window, &shot));
    gui::SaveScreenshot(window, L"progress_dialog.png");
    RECT rect;
    GetWindowRect(window, &rect);
    POINT client = {0, 0};
    ClientToScreen(window, &client);
    EXPECT_EQ(shot.At(client.x - rect.left + 1, client.y - rect.top + 1), 0xD2E3EEu);  // RGB(210, 227, 238)

    // A second switch names its own profile; the bar keeps its last position.
    static const wchar_t kOffice[] = L"会社";
    ui.Post(kSetProfile, 0, reinterpret_cast<LPARAM>(kOffice));
    EXPECT_TRUE(gui::WaitForText(GetDlgItem(window, IDC_PROGRESS_PROFILE), L"プロファイル：会社"));
    EXPECT_EQ(Position(bar), 100);
}

TEST(ProgressDialog, ProfileLineIsTakenLiterally) {
    CNetworkSettingDescriptionDlg dialog;  // no window: the line is kept for later
    dialog.SetProfile(L"100%s %d");
    EXPECT_EQ(dialog.ProfileLine(), L"プロファイル：100%s %d");
}

}  // namespace
