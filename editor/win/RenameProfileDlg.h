#pragma once
#include "editor/ProfileEditList.h"
#include "framework/win/Dialog.h"
#include "framework/win/Edit.h"

// Renames one profile of the list (dialog 401): the name page's rules,
// their messages, the focus kept on the name until it passes.
class CRenameProfileDlg : public CDialog {
public:
    CRenameProfileDlg(CProfileEditList& list, int position, CWnd* parent);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    CProfileEditList& list_;
    int position_;
    CEdit name_;
};
