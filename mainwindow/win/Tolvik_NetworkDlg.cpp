#include "mainwindow/win/Tolvik_NetworkDlg.h"

#include "app/Messages.h"
#include "app/win/JumpListManager.h"
#include "app/win/OrtivoMessage.h"
#include "app/win/Tolvik_NetworkApp.h"
#include "controls/win/DPIMgr.h"
#include "framework/win/MessageFilter.h"
#include "framework/win/ResourceString.h"
#include "mainwindow/ProfileNumber.h"
#include "profile/win/ProfileFileAccess.h"
#include "resources/resource.h"
#include "system/win/RegAccess.h"

#ifndef BCM_SETSHIELD
#define BCM_SETSHIELD 0x160C
#endif

namespace {

constexpr int kListFontHeight = 16;

}  // namespace

CTolvik_NetworkDlg::CTolvik_NetworkDlg(CTolvik_NetworkApp& app, CWnd* parent)
    : CDialog(IDD_TOLVIK_NETWORK_DIALOG, parent), app_(app), switch_(app), profileList_(app.profiles) {
    icon_ = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
}

// rowHeightImages belongs to the list once given to it: a list view without
// LVS_SHAREIMAGELISTS destroys its image lists with its window.
CTolvik_NetworkDlg::~CTolvik_NetworkDlg() = default;

void CTolvik_NetworkDlg::SetStartupProfile(int number) {
    if (number < 1 || number > CProfileCollection::kMaxProfiles) return;
    startupProfile_ = number;
    startupRequest_ = true;
}

bool CTolvik_NetworkDlg::IsProgressDialogOn() const { return CRegAccess().ReadShowSetting(); }

void CTolvik_NetworkDlg::ShowError(UINT id) { ShowOrtivoMessage(m_hWnd, id, MB_ICONERROR); }

void CTolvik_NetworkDlg::PreSubclassWindow() {
    // Started by the autorun entry, the window waits for a second show request.
    if (app_.autoRun == 0) showCount_ = 2;
}

void CTolvik_NetworkDlg::BindControls() {
    autoRunCheck_.Attach(GetDlgItem(IDC_MAIN_AUTORUN));
    profileList_.SubclassDlgItem(IDC_MAIN_PROFILE_LIST, this);
    description_.Attach(GetDlgItem(IDC_MAIN_DESCRIPTION));
    addButton_.Attach(GetDlgItem(IDC_MAIN_ADD));
    editButton_.Attach(GetDlgItem(IDC_MAIN_EDIT));
    deleteButton_.Attach(GetDlgItem(IDC_MAIN_DELETE));
    applyButton_.Attach(GetDlgItem(IDC_MAIN_APPLY));
}

BOOL CTolvik_NetworkDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    // A second start without elevation reaches an elevated program too.
    AllowMessagesFromAnyProcess(m_hWnd, {kMsgRunProfile});
    AddSystemMenuEntries();
    BindControls();
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
    FillProfileList(true);
    ShowWindow(SW_HIDE);
    ShowProgressOptionMark(IsProgressDialogOn());
    ShowAutoRunMark();
    if (startupRequest_) ::SetWindowPos(m_hWnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOACTIVATE);
    ApplyAutoRunSetting();
    RefreshButtons();
    if (app_.managed) ShowManagedLine();
    applyButton_.SendMessage(BCM_SETSHIELD, 0, 1);
    if (!CreateListFont()) {
        ShowError(IDS_INTERNAL_ERROR);
        EndDialog(IDCANCEL);
    } else {
        profileList_.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(listFont_.Get()), TRUE);
    }
    // Managed profiles are never written, so no write stores the digest
    // that goes with the list: it is that of the file the list was made from.
    if (RefreshJumpListOrEnd(true) && app_.managed) CRegAccess().StoreDatData(app_.digestRead);
    if (!startupRequest_) StartHintTimer();
    return TRUE;
}

void CTolvik_NetworkDlg::ShowManagedLine() {
    const HWND line = GetDlgItem(IDC_MAIN_MANAGED);
    ::SetWindowTextW(line, LoadResString(IDS_MANAGED_PROFILES).c_str());
    ::ShowWindow(line, SW_SHOW);
}

void CTolvik_NetworkDlg::ApplyAutoRunSetting() {
    switch (CRegAccess().ReadAutoRun()) {
        case 1:
            autoRunCheck_.SendMessage(BM_SETCHECK, BST_CHECKED);
            break;
        case 0:
            autoRunCheck_.SendMessage(BM_SETCHECK, BST_UNCHECKED);
            break;
        default: {
            // The framework's default caption: the application's name.
            ::MessageBoxW(m_hWnd, L"cRegAccess.GetAutoRun Error.", L"Tolvik_Network", MB_OK);
            EndDialog(IDCANCEL);
        }
    }
}

bool CTolvik_NetworkDlg::CreateListFont() {
    const int height = CDPIMgr().ScaleYPercent(kListFontHeight);
    listFont_.Reset(::CreateFontW(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, L"メイリオ"));
    return listFont_.Valid();
}

void CTolvik_NetworkDlg::RefreshButtons() {
    const bool idle = !switchInProgress_;
    const bool selected = SelectedRow() != -1;
    // Profiles managed by the administrator are applied, never changed here.
    const bool changeable = idle && !app_.managed;
    addButton_.EnableWindow(changeable);
    editButton_.EnableWindow(changeable && selected);
    deleteButton_.EnableWindow(changeable && selected);
    applyButton_.EnableWindow(idle && selected);
}

bool CTolvik_NetworkDlg::RefreshJumpList(bool withProfiles, bool withEditTool) {
    return ::RefreshJumpList(withProfiles ? &app_.profiles : nullptr, withEditTool);
}

void CTolvik_NetworkDlg::ExitApplication(bool quiet) {
    if (!quiet) RefreshJumpListOrEnd(false);
    // Users may not write managed profiles.
    if (!app_.managed) WriteDataFile();
    if (!RefreshJumpList(true, true)) {
        ShowError(IDS_INIT_FAILED);
        EndDialog(IDCANCEL);
    }
    CDialog::OnOK();
}

bool CTolvik_NetworkDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (message) {
        case kMsgSwitchResult:
            OnSwitchResult(static_cast<uint32_t>(wParam));
            *result = 0;
            return true;
        case kMsgRunProfile:
            *result = OnRunProfile(wParam);
            return true;
        case kMsgProgress:
            progressDialog_.SetPosition(static_cast<int>(wParam));
            *result = 0;
            return true;
        case kMsgApplierFinished:
            app_.NotifyApplierFinished();
            *result = 0;
            return true;
        case WM_SYSCOMMAND:
            return OnSysCommand(wParam);
        case WM_TIMER:
            return OnTimer(wParam);
        case WM_SETCURSOR:
            if (!OnSetCursor(lParam)) break;
            *result = TRUE;
            return true;
        case WM_PAINT:
            return OnPaintIconic();
        case WM_QUERYDRAGICON:
            *result = reinterpret_cast<LRESULT>(icon_);
            return true;
        case WM_SHOWWINDOW:
            OnShowWindow(wParam);
            return false;
        case WM_WINDOWPOSCHANGING:
            OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lParam));
            return false;
        case WM_QUERYENDSESSION:
            if (lParam != ENDSESSION_CLOSEAPP) break;
            *result = TRUE;
            return true;
        case WM_ENDSESSION:
            if (wParam != TRUE) break;
            ExitApplication(true);
            *result = TRUE;
            return true;
        default:
            break;
    }
    return CDialog::OnMessage(message, wParam, lParam, result);
}

bool CTolvik_NetworkDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) != BN_CLICKED) return CDialog::OnCommand(wParam, lParam);
    switch (LOWORD(wParam)) {
        case IDC_MAIN_ADD: OnAdd(); return true;
        case IDC_MAIN_EDIT: OnEdit(); return true;
        case IDC_MAIN_DELETE: OnDelete(); return true;
        case IDC_MAIN_APPLY: OnApply(); return true;
        case IDOK:
            // "閉じる", the close box and Alt+F4 take the same way.
            SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
            return true;
        default: return CDialog::OnCommand(wParam, lParam);
    }
}

bool CTolvik_NetworkDlg::OnNotify(WPARAM wParam, NMHDR* header, LRESULT* result) {
    if (header->idFrom != static_cast<UINT_PTR>(IDC_MAIN_PROFILE_LIST) || header->code != LVN_ITEMCHANGED)
        return CDialog::OnNotify(wParam, header, result);
    ShowProfileDescription(SelectedRow());
    RefreshButtons();
    *result = 0;
    return true;
}

HBRUSH CTolvik_NetworkDlg::OnCtlColor(HDC dc, HWND control, UINT message) {
    if (control != description_.m_hWnd) return CDialog::OnCtlColor(dc, control, message);
    ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
    return ::GetSysColorBrush(COLOR_WINDOW);
}

bool CTolvik_NetworkDlg::OnSetCursor(LPARAM lParam) {
    if (LOWORD(lParam) != HTCLIENT || !switchInProgress_) return false;
    ::SetCursor(::LoadCursorW(nullptr, IDC_APPSTARTING));
    return true;
}

bool CTolvik_NetworkDlg::OnPaintIconic() {
    if (!::IsIconic(m_hWnd)) return false;
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(m_hWnd, &paint);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    GetClientRect(&client);
    const int x = (client.right - client.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc, x, y, icon_);
    ::EndPaint(m_hWnd, &paint);
    return true;
}

void CTolvik_NetworkDlg::OnShowWindow(WPARAM shown) {
    if (shown) ++showCount_;
    if (startupRequest_) StartSwitch(ProfileIdAtNumber(app_.profiles, startupProfile_));
}

void CTolvik_NetworkDlg::OnWindowPosChanging(WINDOWPOS* position) const {
    if (showCount_ < 2 && position != nullptr) position->flags &= ~static_cast<UINT>(SWP_SHOWWINDOW);
}
