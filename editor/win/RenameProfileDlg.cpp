#include "editor/win/RenameProfileDlg.h"

#include "editor/EditorResource.h"
#include "editor/win/ToolMessages.h"
#include "framework/win/WideText.h"

CRenameProfileDlg::CRenameProfileDlg(CProfileEditList& list, int position, CWnd* parent)
    : CDialog(IDD_EDITOR_RENAME, parent), list_(list), position_(position) {}

BOOL CRenameProfileDlg::OnInitDialog() {
    name_.Attach(GetDlgItem(IDC_RENAME_NAME));
    name_.SetLimitText(static_cast<UINT>(namepage::kNameLimit));
    CProfileData profile;
    list_.Profiles().GetByPosition(position_, &profile);
    name_.SetWindowText(W(profile.GetText(ProfileText::profileName)));
    name_.SetSel(0, -1);
    name_.SetFocus();
    return FALSE;
}

void CRenameProfileDlg::OnOK() {
    const namepage::NameCheck check = list_.Rename(position_, T(name_.GetWindowText()));
    if (check == namepage::NameCheck::Passed) {
        EndDialog(IDOK);
        return;
    }
    ShowToolMessage(m_hWnd, ToolText(static_cast<UINT>(namepage::NameCheckMessage(check))), MB_ICONERROR);
    name_.SetFocus();
}
