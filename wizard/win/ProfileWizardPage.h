#pragma once
// The base of the eight wizard pages: the page's place in the wizard (its
// template and header title), what it works on, the activation that every
// page starts the same way, and Back and Next over the page's own store and
// check.
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
    // Back keeps what the page shows; Next keeps it once the page's check
    // has passed and stays on the page when it fails.
    LRESULT OnWizardBack() override;
    LRESULT OnWizardNext() override;

protected:
    // Button rules of this page beyond the hook's; none by default.
    virtual void SetPageButtons(HWND wizard);
    // Fills the controls from the record being edited.
    virtual void ShowRecord() = 0;
    // Writes what the controls show into the record; nothing by default.
    virtual void Store();
    // Next's check of the controls; false when it failed, which the page
    // has then reported. Passes by default.
    virtual bool PassesCheck();

    const ProfileWizardContext context_;

private:
    int index_;
};
