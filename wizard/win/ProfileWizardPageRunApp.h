#pragma once
// The sixth wizard page: an application that a switch starts at its end,
// with its command-line options. The path edit takes a file dropped on it.
#include "controls/win/CustomEdit_DropFile.h"
#include "wizard/win/ProfileWizardPage.h"

class CProfileWizardPageRunApp : public CProfileWizardPage {
public:
    explicit CProfileWizardPageRunApp(const ProfileWizardContext& context);

    BOOL OnInitDialog() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void ShowRecord() override;
    void ApplyEnablingRule();
    void Browse();
    void Store() override;
    bool PassesCheck() override;

    CCustomEdit_DropFile pathEdit_;
};
