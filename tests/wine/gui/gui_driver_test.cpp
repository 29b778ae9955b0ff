// The GUI test driver itself: message boxes of this process and of another
// one (caption, text, icon, answer), what failures report, screenshots and
// PNG files.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <thread>

#include "tests/wine/gui/GuiTestResource.h"
#include "tests/wine/support/GuiDriver.h"
#include "tests/wine/support/TestSupport.h"

namespace {

const wchar_t kText[] = L"プロファイルデータの書き込みに失敗しました。";

struct BoxCase {
    const wchar_t* argument;
    gui::BoxIcon icon;
    int answer;
};

class ForeignMessageBox : public ::testing::TestWithParam<BoxCase> {};

TEST_P(ForeignMessageBox, IsReadAndAnswered) {
    const BoxCase c = GetParam();
    gui::Program probe = gui::StartProgram(testsupport::ExeDir() + L"\\gui_probe.exe", c.argument);
    ASSERT_TRUE(probe.Started());
    gui::MessageBoxInfo box;
    ASSERT_TRUE(gui::WaitForMessageBox(&box, probe.Id()));
    EXPECT_EQ(box.caption, L"Ortivo");
    EXPECT_EQ(box.text, kText);
    EXPECT_STREQ(gui::BoxIconName(box.icon), gui::BoxIconName(c.icon));
    ASSERT_TRUE(gui::AnswerMessageBox(box.window, c.answer));
    DWORD code = 0;
    ASSERT_TRUE(probe.WaitForExit(gui::kDefaultTimeoutMs, &code));
    EXPECT_EQ(code, static_cast<DWORD>(c.answer));
}

INSTANTIATE_TEST_SUITE_P(Icons, ForeignMessageBox,
                         ::testing::Values(BoxCase{L"error", gui::BoxIcon::Error, IDOK},
                                           BoxCase{L"information", gui::BoxIcon::Information, IDOK},
                                           BoxCase{L"question", gui::BoxIcon::Question, IDNO},
                                           BoxCase{L"plain", gui::BoxIcon::None, IDOK}));

TEST(OwnMessageBox, IsReadAnsweredAndPhotographed) {
    int answer = 0;
    std::thread shower([&] {
        answer = MessageBoxW(nullptr, kText, L"Ortivo", MB_ICONQUESTION | MB_YESNO);
    });
    gui::MessageBoxInfo box;
    const gui::Outcome found = gui::WaitForMessageBox(&box, GetCurrentProcessId());
    if (found) {
        EXPECT_EQ(box.text, kText);
        EXPECT_EQ(box.icon, gui::BoxIcon::Question);
        std::wstring path;
        EXPECT_TRUE(gui::SaveScreenshot(box.window, L"gui_driver_message_box.png", &path));
        gui::Image shot;
        ASSERT_TRUE(gui::CaptureWindow(box.window, &shot));
        RECT rect;
        GetWindowRect(box.window, &rect);
        EXPECT_EQ(shot.width, rect.right - rect.left);
        EXPECT_EQ(shot.height, rect.bottom - rect.top);
        EXPECT_TRUE(gui::AnswerMessageBox(box.window, IDYES));
    }
    // Never leave the thread waiting in its message box.
    HWND left = gui::FindTopLevel({gui::kDialogClass, L"Ortivo", GetCurrentProcessId()});
    if (left) PostMessageW(left, WM_COMMAND, IDNO, 0);
    shower.join();
    ASSERT_TRUE(found);
    EXPECT_EQ(answer, IDYES);
}

// A failed wait or action says what the driver saw last.
TEST(Reports, SayWhatWasSeenLast) {
    HWND window = CreateWindowExW(0, L"Static", L"報告", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                                  nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    HWND button = CreateWindowExW(0, L"Button", L"追加", WS_CHILD | WS_DISABLED, 0, 0, 80, 24, window,
                                  reinterpret_cast<HMENU>(1004), nullptr, nullptr);
    HWND label = CreateWindowExW(0, L"Static", L"会社", WS_CHILD, 0, 30, 80, 24, window,
                                 reinterpret_cast<HMENU>(1031), nullptr, nullptr);
    const auto said = [](const gui::Outcome& outcome) { return std::string(outcome.message()); };
    int polls = 0;
    EXPECT_EQ(said(gui::WaitUntil([&] { return gui::Outcome(false) << "poll " << ++polls; }, 0)), "after 0 ms poll 1");
    EXPECT_EQ(said(gui::WaitUntil([] { return false; }, 0)), "after 0 ms the condition did not hold");
    EXPECT_EQ(said(gui::ClickWhenEnabled(button, 0)), "after 0 ms Button 1004 \"追加\" is disabled");
    EXPECT_EQ(said(gui::WaitForText(label, L"本社", 0)), "after 0 ms the text of Static 1031 was \"会社\", not \"本社\"");
    EXPECT_EQ(said(gui::WaitForWindowGone(window, 0)), "after 0 ms Static \"報告\" is still shown");
    gui::MessageBoxInfo box;
    EXPECT_EQ(said(gui::WaitForMessageBox(&box, GetCurrentProcessId(), 0)),
              "after 0 ms no message box of process " + std::to_string(GetCurrentProcessId()) +
                  " was shown; its dialogs: none");
    DestroyWindow(window);
    EXPECT_EQ(said(gui::Click(button)), "no button to click: a destroyed window");
}

TEST(Png, AScreenshotFileIsAPngOfTheImagesSize) {
    gui::Image image;
    image.width = 300;
    image.height = 200;
    image.pixels.assign(300 * 200, 0x123456);
    const std::wstring path = testsupport::TempDir() + L"\\image.png";
    ASSERT_TRUE(gui::SavePng(image, path));
    const std::vector<uint8_t> png = testsupport::FileBytes(path);
    const uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    ASSERT_GT(png.size(), 33u);
    EXPECT_TRUE(std::equal(signature, signature + 8, png.begin()));
    EXPECT_EQ(std::string(png.begin() + 12, png.begin() + 16), "IHDR");
    EXPECT_EQ(png[16] << 24 | png[17] << 16 | png[18] << 8 | png[19], 300);  // width
    EXPECT_EQ(png[20] << 24 | png[21] << 16 | png[22] << 8 | png[23], 200);  // height
    EXPECT_EQ(std::string(png.end() - 8, png.end() - 4), "IEND");
}

}  // namespace

namespace {

// Controls of another process: edit, IP address control and list view.
TEST(ForeignControls, AreTypedIntoReadAndSelected) {
    gui::Program probe = gui::StartProgram(testsupport::ExeDir() + L"\\gui_probe.exe", L"controls");
    ASSERT_TRUE(probe.Started());
    HWND window = gui::WaitForTopLevel({nullptr, L"GuiProbe", probe.Id()});
    ASSERT_NE(window, nullptr);

    HWND edit = gui::FindChild(window, IDC_PROBE_EDIT, L"Edit");
    ASSERT_NE(edit, nullptr);
    // Sync returns only after the typed characters, posted before it, are in.
    const std::wstring typed = std::wstring(300, L'a') + L"bc";
    gui::TypeText(edit, typed);
    ASSERT_TRUE(gui::Sync(edit));
    EXPECT_EQ(gui::WindowText(edit), typed);
    ASSERT_TRUE(gui::PasteText(edit, L"日本語"));
    EXPECT_TRUE(gui::WaitForText(edit, typed + L"日本語"));

    HWND ip = gui::FindChild(window, IDC_PROBE_ADDRESS);
    ASSERT_NE(ip, nullptr);
    gui::SetIpAddress(ip, 0xC0A8010A);  // 192.168.1.10
    DWORD address = 0;
    int filled = -1;
    ASSERT_TRUE(gui::ReadIpAddress(ip, &address, &filled));
    EXPECT_EQ(address, 0xC0A8010Au);
    EXPECT_EQ(filled, 4);
    gui::ClearIpAddress(ip);
    ASSERT_TRUE(gui::ReadIpAddress(ip, &address, &filled));
    EXPECT_EQ(filled, 0);

    HWND list = gui::FindChild(window, IDC_PROBE_LIST);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(gui::ListViewCount(list), 3);
    EXPECT_EQ(gui::ListViewText(list, 0), L"ローカル エリア接続");
    EXPECT_EQ(gui::ListViewText(list, 2, 1), L"アダプタ");
    EXPECT_EQ(gui::ListViewData(list, 1), 101);
    EXPECT_EQ(gui::ListViewSelected(list), -1);
    ASSERT_TRUE(gui::ListViewSelect(list, 2));
    EXPECT_EQ(gui::ListViewSelected(list), 2);
    ASSERT_TRUE(gui::ListViewSelect(list, 0));
    EXPECT_EQ(gui::ListViewSelected(list), 0);
    EXPECT_TRUE(gui::SaveScreenshot(window, L"gui_driver_foreign_controls.png"));

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(probe.WaitForExit(gui::kDefaultTimeoutMs));
}

}  // namespace
