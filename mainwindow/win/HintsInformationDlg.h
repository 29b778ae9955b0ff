#pragma once
// The hint window: how to pin the program to the taskbar so that its jump
// list stays at hand, with a check box that stops it from opening at every
// start ("HideHints"). OK stores the check box; Escape stores nothing.
#include "framework/win/Dialog.h"

class CHintsInformationDlg : public CDialog {
public:
    explicit CHintsInformationDlg(CWnd* parent = nullptr);
    ~CHintsInformationDlg() override = default;

    // Control ids of dialog 185.
    static constexpr int kHideHintsCheckId = 1001;
    static constexpr int kIconId = 1030;
    static constexpr int kTextId = 1031;
    static constexpr int kPictureId = 1037;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    CWnd text_;
    CWnd hideHintsCheck_;
    CWnd icon_;
    CWnd picture_;
};
