#pragma once
// The base of the eight wizard pages: the page's place in the wizard (its
// template and header title), the records it works on, and the activation
// that every page starts the same way.
#include <windows.h>

#include "framework/win/PropertyPage.h"
#include "wizard/ProfileWizardContext.h"
#include "wizard/win/WizardPage.h"

class CProfileWizardPage : public CPropertyPage {
public:
    // `index`: the page's place in kWizardPages.
    CProfileWizardPage(int index, const ProfileWizardContext& context);

    // Given by the wizard: called with the wizard window first thing on
    // every activation.
    PageActivationHook pageActivationHook = nullptr;

    // The hook, the page's own button rules, its header title, then the
    // record shown in its controls.
    BOOL OnSetActive() final;

protected:
    // Button rules of this page beyond the hook's; none by default.
    virtual void SetPageButtons(HWND wizard);
    // Fills the controls from the record being edited.
    virtual void ShowRecord() = 0;

    const ProfileWizardContext context_;

private:
    int index_;
};
