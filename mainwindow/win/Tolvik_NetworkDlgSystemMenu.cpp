// The main dialog's system menu (hint window, progress-window option, the
// start at logon, About box) and the hint window that opens once shortly
// after the start.
#include <string>

#include "app/win/Tolvik_NetworkApp.h"
#include "framework/win/ResourceString.h"
#include "mainwindow/win/HintsInformationDlg.h"
#include "mainwindow/win/Tolvik_NetworkDlg.h"
#include "mainwindow/win/VersionDialog.h"
#include "resources/resource.h"
#include "system/win/RegAccess.h"

namespace {

constexpr UINT_PTR kHintTimerId = 1;
constexpr UINT kHintDelayMs = 300;

}  // namespace

void CTolvik_NetworkDlg::AddSystemMenuEntries() {
    HMENU menu = ::GetSystemMenu(m_hWnd, FALSE);
    if (menu == nullptr) return;
    const std::wstring about = LoadResString(IDS_MENU_ABOUT);
    const std::wstring hints = LoadResString(IDS_MENU_HINTS);
    const std::wstring progress = LoadResString(IDS_MENU_PROGRESS);
    const std::wstring autoRun = LoadResString(IDS_MENU_AUTORUN);
    if (about.empty()) return;
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, IDM_HINTS, hints.c_str());
    ::AppendMenuW(menu, MF_STRING, IDM_PROGRESS_OPTION, progress.c_str());
    ::AppendMenuW(menu, MF_STRING, IDM_AUTORUN, autoRun.c_str());
    ::AppendMenuW(menu, MF_STRING, IDM_ABOUTBOX, about.c_str());
}

void CTolvik_NetworkDlg::ShowAutoRunMark() {
    HMENU menu = ::GetSystemMenu(m_hWnd, FALSE);
    if (menu == nullptr) return;
    // Started for every user by the package: checked, and not the user's
    // to change (a second entry would start the program twice).
    const bool forEveryone = CRegAccess().ReadMachineAutoRun() == 1;
    const bool on = forEveryone || CRegAccess().ReadAutoRun() == 1;
    ::CheckMenuItem(menu, IDM_AUTORUN, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
    ::EnableMenuItem(menu, IDM_AUTORUN, MF_BYCOMMAND | (forEveryone ? MF_GRAYED : MF_ENABLED));
}

void CTolvik_NetworkDlg::ToggleAutoRun() {
    CRegAccess registry;
    if (registry.ReadMachineAutoRun() != 1) registry.WriteAutoRun(registry.ReadAutoRun() != 1, app_.programFolder);
    ShowAutoRunMark();
    ApplyAutoRunSetting();
}

void CTolvik_NetworkDlg::ShowProgressOptionMark(bool on) {
    HMENU menu = ::GetSystemMenu(m_hWnd, FALSE);
    if (menu != nullptr)
        ::CheckMenuItem(menu, IDM_PROGRESS_OPTION, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

void CTolvik_NetworkDlg::SetProgressDialogOption(bool on) {
    if (::GetSystemMenu(m_hWnd, FALSE) == nullptr) return;
    CRegAccess().WriteShowSetting(on ? 1 : 0);
    ShowProgressOptionMark(on);
}

void CTolvik_NetworkDlg::StartHintTimer() { ::SetTimer(m_hWnd, kHintTimerId, kHintDelayMs, nullptr); }

bool CTolvik_NetworkDlg::OnTimer(WPARAM timerId) {
    if (timerId != kHintTimerId) return false;
    ::KillTimer(m_hWnd, kHintTimerId);
    if (!CRegAccess().ReadHideHints()) CHintsInformationDlg().DoModal();
    return false;  // the default processing follows
}

bool CTolvik_NetworkDlg::RefreshJumpListOrEnd(bool withProfiles) {
    if (RefreshJumpList(withProfiles, false)) return true;
    ShowError(IDS_INIT_FAILED);
    EndDialog(IDCANCEL);
    return false;
}

void CTolvik_NetworkDlg::OnAboutBox() {
    // The jump list is empty while the About box is open.
    RefreshJumpListOrEnd(false);
    CVersionDialog().DoModal();
    RefreshJumpListOrEnd(true);
}

bool CTolvik_NetworkDlg::OnSysCommand(WPARAM command) {
    switch (command) {
        case IDM_ABOUTBOX: OnAboutBox(); break;
        case IDM_HINTS: CHintsInformationDlg().DoModal(); break;
        case IDM_PROGRESS_OPTION: SetProgressDialogOption(!IsProgressDialogOn()); break;
        case IDM_AUTORUN: ToggleAutoRun(); break;
        case SC_CLOSE: ExitApplication(false); break;
        default: break;
    }
    return false;  // every system command goes on to the default processing
}
