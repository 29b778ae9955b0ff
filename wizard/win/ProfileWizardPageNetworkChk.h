#pragma once
// The fifth wizard page: which checks run after a switch (a message when no
// address was obtained, a ping of the default gateway, an HTTP request to a
// URL).
#include "wizard/win/ProfileWizardPage.h"

class CProfileWizardPageNetworkChk : public CProfileWizardPage {
public:
    explicit CProfileWizardPageNetworkChk(const ProfileWizardContext& context);

    BOOL OnInitDialog() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void ShowRecord() override;
    void ApplyEnablingRule();
    void Store() override;
    bool PassesCheck() override;

};
