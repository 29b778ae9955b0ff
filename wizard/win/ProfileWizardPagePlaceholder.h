#pragma once
// The wizard pages whose own controls come later: each is present with its
// dialog template, caption and header title and takes part in the page flow
// with the common page behaviour, storing nothing.
#include "framework/win/PropertyPage.h"
#include "wizard/win/WizardPage.h"

class CTolvik_NetworkApp;

class CProfileWizardPagePlaceholder : public CPropertyPage {
public:
    CProfileWizardPagePlaceholder(int index, CTolvik_NetworkApp& app);

    PageActivationHook pageActivationHook = nullptr;

    BOOL OnSetActive() override;

protected:
    CTolvik_NetworkApp* app_;
    int index_;
};

class CProfileWizardPageProxy : public CProfileWizardPagePlaceholder {
public:
    explicit CProfileWizardPageProxy(CTolvik_NetworkApp& app) : CProfileWizardPagePlaceholder(3, app) {}
};
