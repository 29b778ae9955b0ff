// The window framework: modal and modeless dialogs from templates, the
// virtual hooks, PreTranslateMessage in the modal loop, subclassing a
// dialog item, and a two-page wizard with its page hooks and results.
#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <memory>
#include <vector>

#include "framework/win/Dialog.h"
#include "framework/win/PropertySheet.h"
#include "tests/wine/gui/GuiTestResource.h"
#include "tests/wine/support/GuiDriver.h"

namespace {

// Records what the hooks saw; runs on the dialog's thread.
class TestDialog : public CDialog {
public:
    TestDialog() : CDialog(900) {}
    std::atomic<int> initCount{0}, commandCount{0}, preTranslatedKeys{0}, okCount{0};
    std::atomic<bool> swallowKeys{false};

    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        ++initCount;
        ::SetDlgItemTextW(m_hWnd, IDC_FRAMEWORK_EDIT, L"初期化済み");
        return TRUE;
    }
    bool OnCommand(WPARAM wParam, LPARAM) override {
        if (LOWORD(wParam) != IDC_FRAMEWORK_PRESS) return false;
        ++commandCount;
        ::SetDlgItemTextW(m_hWnd, IDC_FRAMEWORK_EDIT, L"押されました");
        return true;
    }
    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message == WM_CHAR && msg->hwnd == GetDlgItem(IDC_FRAMEWORK_EDIT)) {
            ++preTranslatedKeys;
            if (swallowKeys) return TRUE;
        }
        return CDialog::PreTranslateMessage(msg);
    }
    void OnOK() override {
        ++okCount;
        CDialog::OnOK();
    }
};

// An edit whose messages pass through the object.
class RecordingEdit : public CWnd {
public:
    std::vector<UINT> chars;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_CHAR) chars.push_back(static_cast<UINT>(wParam));
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// Cancels a dialog still open when a test stops early, so that the thread
// running its modal loop can be joined.
struct CancelOnExit {
    HWND* window;
    ~CancelOnExit() {
        if (*window && IsWindow(*window)) PostMessageW(*window, WM_COMMAND, IDCANCEL, 0);
    }
};

// Waits for a dialog's thread to return, pumping this thread's messages:
// closing a window may send messages to every thread with windows.
gui::Outcome Finished(std::future<INT_PTR>& result) {
    return gui::WaitUntil([&] {
        return gui::Outcome(result.wait_for(std::chrono::seconds(0)) == std::future_status::ready)
               << "the dialog's thread has not returned";
    });
}

HWND WaitForDialog(const wchar_t* title) { return gui::WaitForTopLevel({nullptr, title, GetCurrentProcessId()}); }

TEST(Dialog, ModalRunsHooksAndEndsWithTheButton) {
    TestDialog dialog;
    auto result = std::async(std::launch::async, [&] { return dialog.DoModal(); });
    HWND window = WaitForDialog(L"枠組みテスト");
    CancelOnExit guard{&window};
    ASSERT_NE(window, nullptr);
    HWND edit = GetDlgItem(window, IDC_FRAMEWORK_EDIT);
    EXPECT_EQ(gui::WindowText(edit), L"初期化済み");
    EXPECT_EQ(dialog.initCount, 1);
    EXPECT_EQ(CWnd::FromHandle(window), &dialog);

    ASSERT_TRUE(gui::Click(GetDlgItem(window, IDC_FRAMEWORK_PRESS)));
    EXPECT_TRUE(gui::WaitForText(edit, L"押されました"));
    EXPECT_EQ(dialog.commandCount, 1);

    // Typed characters pass PreTranslateMessage; a swallowed one never arrives.
    EXPECT_TRUE(gui::ReplaceText(edit, L"ab"));
    dialog.swallowKeys = true;
    gui::TypeText(edit, L"c");
    gui::Sync(edit);
    EXPECT_EQ(gui::WindowText(edit), L"ab");
    EXPECT_EQ(dialog.preTranslatedKeys, 3);

    ASSERT_TRUE(gui::Click(GetDlgItem(window, IDOK)));
    ASSERT_TRUE(Finished(result));
    EXPECT_EQ(result.get(), IDOK);
    EXPECT_EQ(dialog.okCount, 1);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

TEST(Dialog, EndDialogDuringInitialisationNeverShowsTheWindow) {
    class Refusing : public CDialog {
    public:
        Refusing() : CDialog(900) {}
        bool everVisible = false;
        BOOL OnInitDialog() override {
            EndDialog(IDCANCEL);
            return TRUE;
        }
        bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
            if (message == WM_SHOWWINDOW && wParam) everVisible = true;
            return CDialog::OnMessage(message, wParam, lParam, result);
        }
    } dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_FALSE(dialog.everVisible);
}

TEST(Dialog, ModelessWithSubclassedItem) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create(900));
    EXPECT_FALSE(dialog.IsModal());
    RecordingEdit edit;
    ASSERT_TRUE(edit.SubclassDlgItem(IDC_FRAMEWORK_EDIT, &dialog));
    EXPECT_EQ(CWnd::FromHandle(edit.m_hWnd), &edit);
    edit.SetWindowText(L"");
    ::SendMessageW(edit.m_hWnd, WM_CHAR, L'x', 1);
    EXPECT_EQ(edit.chars, std::vector<UINT>{L'x'});
    EXPECT_EQ(edit.GetWindowText(), L"x");
    // Escape through the dialog manager reaches OnCancel, which destroys a modeless dialog.
    HWND window = dialog.m_hWnd;
    ::SendMessageW(window, WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(edit.m_hWnd, nullptr);
}

class TestPage : public CPropertyPage {
public:
    TestPage(UINT id, const wchar_t* caption, int refusals) : CPropertyPage(id, caption), refusals_(refusals) {}
    std::atomic<int> activations{0}, nextCount{0}, backCount{0}, finishCount{0};
    BOOL OnSetActive() override {
        ++activations;
        bool last = TemplateId() == 902;
        ::PostMessageW(SheetWindow(), PSM_SETWIZBUTTONS, 0,
                       last ? (PSWIZB_BACK | PSWIZB_FINISH) : PSWIZB_NEXT);
        return CPropertyPage::OnSetActive();
    }
    LRESULT OnWizardNext() override {
        ++nextCount;
        return refusals_-- > 0 ? -1 : 0;
    }
    LRESULT OnWizardBack() override {
        ++backCount;
        return 0;
    }
    BOOL OnWizardFinish() override {
        ++finishCount;
        return TRUE;
    }

private:
    int refusals_;
};

// A two-page wizard running on its own thread; the first page refuses
// `refusals` Next presses.
class TwoPageWizard : public ::testing::Test {
protected:
    void Start(int refusals) {
        first = std::make_unique<TestPage>(901, L"ページ1", refusals);
        last = std::make_unique<TestPage>(902, L"ページ2", 0);
        sheet.AddPage(first.get());
        sheet.AddPage(last.get());
        sheet.SetWizardMode();
        result = std::async(std::launch::async, [this] { return sheet.DoModal(); });
        gui::WaitUntil([&] {
            const std::vector<HWND> dialogs = gui::DialogsOf(GetCurrentProcessId());
            window = dialogs.empty() ? nullptr : dialogs.front();
            return window && first->m_hWnd && gui::CurrentPage(window) == first->m_hWnd;
        });
    }
    void TearDown() override {
        if (window && IsWindow(window)) PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
        if (result.valid()) Finished(result);
    }
    gui::Outcome ShowsPage(const TestPage& page) {
        return gui::WaitUntil([&] {
            return gui::Outcome(page.m_hWnd && gui::CurrentPage(window) == page.m_hWnd)
                   << "the sheet shows " << gui::WindowName(gui::CurrentPage(window));
        });
    }

    CPropertySheet sheet{L"ProfileWizard"};
    std::unique_ptr<TestPage> first, last;
    std::future<INT_PTR> result;
    HWND window = nullptr;
};

TEST_F(TwoPageWizard, RunsPagesInOrderAndFinishes) {
    Start(1);
    ASSERT_TRUE(ShowsPage(*first));
    EXPECT_EQ(first->activations, 1);
    gui::SaveScreenshot(window, L"framework_wizard_page1.png");

    // The first Next is refused by the page, the second one moves on.
    HWND next = GetDlgItem(window, ID_WIZNEXT);
    ASSERT_TRUE(gui::ClickWhenEnabled(next));
    ASSERT_TRUE(gui::WaitUntil([&] { return first->nextCount == 1; }));
    gui::Sync(window);
    EXPECT_EQ(gui::CurrentPage(window), first->m_hWnd);
    ASSERT_TRUE(gui::ClickWhenEnabled(next));
    ASSERT_TRUE(ShowsPage(*last));
    EXPECT_EQ(last->activations, 1);

    ASSERT_TRUE(gui::ClickWhenEnabled(GetDlgItem(window, ID_WIZBACK)));
    ASSERT_TRUE(ShowsPage(*first));
    EXPECT_EQ(last->backCount, 1);
    EXPECT_EQ(first->activations, 2);
    ASSERT_TRUE(gui::ClickWhenEnabled(next));
    ASSERT_TRUE(ShowsPage(*last));

    ASSERT_TRUE(gui::ClickWhenEnabled(GetDlgItem(window, ID_WIZFINISH)));
    ASSERT_TRUE(Finished(result));
    EXPECT_EQ(result.get(), ID_WIZFINISH);
    EXPECT_EQ(last->finishCount, 1);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(TwoPageWizard, CancelReturnsCancel) {
    Start(0);
    ASSERT_TRUE(ShowsPage(*first));
    ASSERT_TRUE(gui::Click(GetDlgItem(window, IDCANCEL)));
    ASSERT_TRUE(Finished(result));
    EXPECT_EQ(result.get(), IDCANCEL);
    EXPECT_EQ(first->finishCount + last->finishCount, 0);
}

}  // namespace
