#pragma once
// The last page: everything editRecord holds, as it will be registered.
// Its Finish button ("登録(&R)") commits the wizard.
#include "framework/win/PropertyPage.h"
#include "wizard/win/WizardPage.h"

class CTolvik_NetworkApp;

class CProfileWizardPageConfirm : public CPropertyPage {
public:
    explicit CProfileWizardPageConfirm(CTolvik_NetworkApp& app);

    PageActivationHook pageActivationHook = nullptr;

    BOOL OnSetActive() override;
    LRESULT OnWizardNext() override { return 0; }
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT message) override;

private:
    void ShowProfile();

    CTolvik_NetworkApp* app_;
};
