#include "mainwindow/win/HintsInformationDlg.h"

#include "app/win/OrtivoMessage.h"
#include "framework/win/ResourceString.h"
#include "resources/resource.h"
#include "system/win/RegAccess.h"

CHintsInformationDlg::CHintsInformationDlg(CWnd* parent) : CDialog(IDD_HINTS, parent) {}

BOOL CHintsInformationDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    text_.Attach(GetDlgItem(IDC_HINTS_TEXT));
    hideHintsCheck_.Attach(GetDlgItem(IDC_HINTS_HIDE));
    icon_.Attach(GetDlgItem(IDC_HINTS_ICON));
    picture_.Attach(GetDlgItem(IDC_HINTS_PICTURE));

    text_.SetWindowText(LoadResString(IDS_HINTS_TEXT));
    // A system icon is shared: it is never destroyed.
    if (HICON information = ::LoadIconW(nullptr, IDI_INFORMATION))
        icon_.SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(information));
    hideHintsCheck_.SendMessage(BM_SETCHECK, CRegAccess().ReadHideHints() ? BST_CHECKED : BST_UNCHECKED);
    SetWindowText(kProductCaption);
    return TRUE;
}

void CHintsInformationDlg::OnOK() {
    const bool hide = hideHintsCheck_.SendMessage(BM_GETCHECK) == BST_CHECKED;
    CRegAccess().WriteHideHints(hide ? 1 : 0);
    CDialog::OnOK();
}
