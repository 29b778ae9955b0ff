#pragma once
// Drives the profile wizard of Tolvik_Network.exe as a user does: opens it
// from the main dialog, reads and operates the controls of the current page,
// turns the pages, and expects the refusals of Next. A wizard still open
// when the driver goes (a case that failed half-way) is cancelled.
#include <windows.h>

#include <string>

#include "tests/wine/support/GuiDriver.h"

class MainWindowDriver;

class WizardDriver {
public:
    explicit WizardDriver(MainWindowDriver& app) : app_(app) {}
    ~WizardDriver() { Cancel(); }
    WizardDriver(const WizardDriver&) = delete;
    WizardDriver& operator=(const WizardDriver&) = delete;

    // Clicks the main dialog's `button` ("追加" or "編集") and waits for the
    // wizard; a `name` given replaces the name page's name.
    gui::Outcome Open(int button, const std::wstring& name = L"");
    HWND Sheet() const { return sheet_; }
    HWND Page() const;
    HWND Item(int id) const;  // a control of the current page
    HWND Button(int id) const { return GetDlgItem(sheet_, id); }
    bool Ticked(int id) const { return gui::IsChecked(Item(id)); }
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
    // Sets a control's text as a program would, without typing.
    gui::Outcome SetText(int id, const std::wstring& text) const { return gui::SetText(Item(id), text); }
    gui::Outcome TypeName(const std::wstring& name) const;
    // Clicks a check or radio button and waits until the page has applied
    // its rules.
    gui::Outcome Tick(int id) const;
    // Clicks a button of the wizard and lets the sheet handle it.
    gui::Outcome Press(int button) const;
    // Presses Back or Next and waits until another page is current; a page
    // that stays fails with the program's dialogs (the box that refused it).
    gui::Outcome Turn(int button) const;
    // Next `count` times; the page reached, or null when a page stayed.
    HWND Next(int count = 1) const;
    // Next is refused with the error box `text`; the page stays and the
    // focus is on `focusId` (or on a field of it).
    void ExpectRefusedNext(const std::wstring& text, int focusId) const;
    // Every control of the page lies inside what the sheet shows; the page
    // as the user sees it is kept as a test artifact.
    void ExpectShownInFull(const std::wstring& screenshot) const;
    // "詳細設定" of the proxy page; the detail dialog once it is shown.
    HWND OpenProxyDetails() const;
    // "詳細設定(V)..." of the TCP/IP page; the advanced dialog once it is shown.
    HWND OpenTcpAdvanced() const;
    // Finish shown as "登録(&R)" and enabled in place of Next. The frame's
    // request of Back and Next is queued before the page's own, so a state
    // left from an earlier visit is not taken for the page's.
    gui::Outcome WaitForFinishOffered() const;
    // Finish, once it is offered, and the wizard gone.
    gui::Outcome Finish();
    gui::Outcome Cancel();

private:
    MainWindowDriver& app_;
    HWND sheet_ = nullptr;
};
