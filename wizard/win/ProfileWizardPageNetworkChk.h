#pragma once
// The fifth wizard page: which checks run after a switch (a message when no
// address was obtained, a ping of the default gateway, an HTTP request to a
// URL).
#include "framework/win/PropertyPage.h"
#include "wizard/win/WizardPage.h"

class CTolvik_NetworkApp;

class CProfileWizardPageNetworkChk : public CPropertyPage {
public:
    explicit CProfileWizardPageNetworkChk(CTolvik_NetworkApp& app);

    PageActivationHook pageActivationHook = nullptr;

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    LRESULT OnWizardBack() override;
    LRESULT OnWizardNext() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;

    static constexpr int kDhcpCheckId = 1001;
    static constexpr int kPingCheckId = 1002;
    static constexpr int kUrlCheckId = 1003;
    static constexpr int kUrlEditId = 1015;

private:
    void ApplyEnablingRule();
    void Store();

    CTolvik_NetworkApp* app_;
};
