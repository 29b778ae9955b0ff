#include "wizard/win/ProfileWizardPage.h"

CProfileWizardPage::CProfileWizardPage(int index, const ProfileWizardContext& context)
    : CPropertyPage(kWizardPages[index].templateId, kWizardPages[index].caption), context_(context), index_(index) {}

BOOL CProfileWizardPage::OnSetActive() {
    const HWND wizard = SheetWindow();
    if (pageActivationHook != nullptr) pageActivationHook(wizard);
    SetPageButtons(wizard);
    wizardpage::SetHeaderTitle(wizard, index_);
    ShowRecord();
    return CPropertyPage::OnSetActive();
}

void CProfileWizardPage::SetPageButtons(HWND) {}
