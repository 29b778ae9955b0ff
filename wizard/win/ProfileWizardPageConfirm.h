#pragma once
// The last page: everything editRecord holds, as it will be registered.
// Its Finish button ("登録(&R)") commits the wizard.
#include "wizard/win/ProfileWizardPage.h"

class CProfileWizardPageConfirm : public CProfileWizardPage {
public:
    explicit CProfileWizardPageConfirm(const ProfileWizardContext& context);

    HBRUSH OnCtlColor(HDC dc, HWND control, UINT message) override;

private:
    void SetPageButtons(HWND wizard) override;
    void ShowRecord() override;
};
