#pragma once
// The seventh wizard page: a printer that a switch makes the Windows
// default printer, chosen from the printers installed when the page was
// first shown.
#include "framework/win/ListCtrl.h"
#include "wizard/win/ProfileWizardPage.h"

class CProfileWizardPagePrinter : public CProfileWizardPage {
public:
    explicit CProfileWizardPagePrinter(const ProfileWizardContext& context);

    BOOL OnInitDialog() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    void ShowRecord() override;
    void FillList();
    void SelectStoredPrinter();
    int SelectedRow() const;
    void ApplyEnablingRule();
    void Store() override;
    bool PassesCheck() override;

    CListCtrl printers_;
};
