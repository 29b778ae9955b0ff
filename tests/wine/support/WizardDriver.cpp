#include "tests/wine/support/WizardDriver.h"

#include "framework/win/PropertySheet.h"
#include "resources/resource.h"
#include "tests/wine/support/MainWindowDriver.h"
#include "tests/wine/support/TestSupport.h"

using ::testing::AssertionFailure;
using ::testing::AssertionSuccess;

gui::Outcome WizardDriver::Open(int button, const std::wstring& name) {
    const gui::Outcome clicked = gui::ClickWhenEnabled(app_.Control(button));
    if (!clicked) return clicked;
    sheet_ = app_.WaitForDialog([](HWND w) { return GetDlgItem(w, ID_WIZNEXT) && gui::CurrentPage(w, 1000); });
    if (sheet_ == nullptr) return AssertionFailure() << "no wizard after " << gui::WindowName(app_.Control(button));
    return name.empty() ? AssertionSuccess() : TypeName(name);
}

HWND WizardDriver::Page() const { return gui::CurrentPage(sheet_); }

HWND WizardDriver::Item(int id) const { return gui::FindChild(Page(), id); }

gui::Outcome WizardDriver::TypeName(const std::wstring& name) const {
    const HWND edit = Item(IDC_NAME_EDIT);
    if (!edit) return AssertionFailure() << "the wizard's page has no name field " << IDC_NAME_EDIT;
    return gui::ReplaceText(edit, name);
}

gui::Outcome WizardDriver::Tick(int id) const {
    const bool before = Ticked(id);
    const gui::Outcome clicked = gui::Click(Item(id));
    if (!clicked) return clicked;
    gui::Outcome changed = gui::WaitUntil([&] { return Ticked(id) != before; });
    if (!changed) return changed << "; " << gui::WindowName(Item(id)) << " kept its state";
    return gui::Sync(Page());
}

gui::Outcome WizardDriver::Press(int button) const {
    const gui::Outcome clicked = gui::ClickWhenEnabled(Button(button));
    return clicked ? gui::Sync(sheet_) : clicked;
}

gui::Outcome WizardDriver::Turn(int button) const {
    const HWND before = Page();
    const gui::Outcome pressed = Press(button);
    if (!pressed) return pressed;
    if (gui::WaitUntil([&] { return Page() != before; })) return AssertionSuccess();
    DWORD processId = 0;
    GetWindowThreadProcessId(sheet_, &processId);
    return gui::TimedOut(gui::kDefaultTimeoutMs) << "the wizard was still on page \""
                                                 << testsupport::Narrow(gui::WindowText(before))
                                                 << "\"; the program's dialogs: " << gui::DialogsShown(processId);
}

HWND WizardDriver::Next(int count) const {
    for (int page = 0; page < count; ++page)
        if (!Turn(ID_WIZNEXT)) return nullptr;
    return Page();
}

void WizardDriver::ExpectRefusedNext(const std::wstring& text, int focusId) const {
    const HWND page = Page();
    ASSERT_TRUE(gui::Click(Button(ID_WIZNEXT)));
    app_.ExpectBox(text, gui::BoxIcon::Error);
    EXPECT_TRUE(gui::WaitForFocus(Item(focusId)));
    EXPECT_EQ(Page(), page);
}

void WizardDriver::ExpectShownInFull(const std::wstring& screenshot) const {
    EXPECT_EQ(gui::ControlsOutside(Page()), std::vector<int>{}) << testsupport::Narrow(screenshot);
    gui::SaveScreenshot(sheet_, screenshot);
}

HWND WizardDriver::OpenProxyDetails() const {
    if (!gui::ClickWhenEnabled(Item(IDC_PROXY_DETAILS))) return nullptr;
    return app_.WaitForDialog([](HWND w) {
        return GetDlgItem(w, IDC_PROXY_SETTING_EXCEPTIONS) && GetDlgItem(w, IDC_PROXY_SETTING_SAME_FOR_ALL);
    });
}

HWND WizardDriver::OpenTcpAdvanced() const {
    if (!gui::ClickWhenEnabled(Item(IDC_TCP_ADVANCED))) return nullptr;
    return app_.WaitForDialog([](HWND w) { return GetDlgItem(w, IDC_TCP_ADVANCED_SUFFIX) != nullptr; });
}

gui::Outcome WizardDriver::WaitForFinishOffered() const {
    const HWND finish = Button(ID_WIZFINISH), next = Button(ID_WIZNEXT);
    const gui::Outcome named = gui::WaitForText(finish, L"登録(&R)");
    if (!named) return named;
    return gui::WaitUntil([&] {
        return gui::Outcome(IsWindowVisible(finish) && IsWindowEnabled(finish) && !IsWindowVisible(next))
               << "Finish was not offered in place of Next";
    });
}

gui::Outcome WizardDriver::Finish() {
    gui::Outcome done = WaitForFinishOffered();
    if (done) done = gui::Click(Button(ID_WIZFINISH));
    if (done) done = gui::WaitForWindowGone(sheet_);
    if (done) sheet_ = nullptr;
    return done;
}

gui::Outcome WizardDriver::Cancel() {
    if (sheet_ == nullptr || !IsWindow(sheet_)) return AssertionSuccess();
    gui::Outcome done = gui::Click(Button(IDCANCEL));
    if (done) done = gui::WaitForWindowGone(sheet_);
    if (done) sheet_ = nullptr;
    return done;
}
