#pragma once
// The hint window: how to pin the program to the taskbar so that its jump
// list stays at hand, with a check box that stops it from opening at every
// start ("HideHints"). OK stores the check box; Escape stores nothing.
#include "framework/win/Dialog.h"

class CHintsInformationDlg : public CDialog {
public:
    explicit CHintsInformationDlg(CWnd* parent = nullptr);
    ~CHintsInformationDlg() override = default;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    CWnd text_;
    CWnd hideHintsCheck_;
    CWnd icon_;
    CWnd picture_;
};
