#include "switching/win/NetworkSettingDescriptionDlg.h"

#include <commctrl.h>

#include "framework/win/ResourceString.h"
#include "framework/win/WideText.h"
#include "resources/resource.h"

CNetworkSettingDescriptionDlg::CNetworkSettingDescriptionDlg() : CDialog(IDD_PROGRESS) {}

CNetworkSettingDescriptionDlg::~CNetworkSettingDescriptionDlg() {
    if (m_hWnd) ::DestroyWindow(m_hWnd);
}

bool CNetworkSettingDescriptionDlg::CreateIfNeeded() { return m_hWnd || Create(IDD_PROGRESS, nullptr); }

BOOL CNetworkSettingDescriptionDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    ::SendMessageW(ProgressBar(), PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    ::SendMessageW(ProgressBar(), PBM_SETPOS, 0, 0);
    if (!backgroundBrush_.Valid()) backgroundBrush_.Reset(::CreateSolidBrush(kBackground));
    // The template's DS_SYSMODAL means "above other windows"; where the
    // system does not turn it into WS_EX_TOPMOST, do it here.
    if (!(::GetWindowLongW(m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST))
        ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return TRUE;
}

void CNetworkSettingDescriptionDlg::SetProfile(const std::wstring& name) {
    // "%s" of string 186 replaced by the name; the name itself is not interpreted.
    profileLine_ = W(text::ReplaceAll(T(LoadResString(IDS_PROGRESS_PROFILE)), u"%s", T(name)));
    if (m_hWnd) ::SetDlgItemTextW(m_hWnd, IDC_PROGRESS_PROFILE, profileLine_.c_str());
}

void CNetworkSettingDescriptionDlg::SetPosition(int percent) {
    if (m_hWnd) ::SendMessageW(ProgressBar(), PBM_SETPOS, static_cast<WPARAM>(percent), 0);
}

BOOL CNetworkSettingDescriptionDlg::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN &&
        (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE || msg->wParam == VK_F1))
        return FALSE;  // straight to the window, without the dialog manager
    return CDialog::PreTranslateMessage(msg);
}

HBRUSH CNetworkSettingDescriptionDlg::OnCtlColor(HDC, HWND, UINT message) {
    return message == WM_CTLCOLORDLG ? backgroundBrush_.Get() : nullptr;
}
