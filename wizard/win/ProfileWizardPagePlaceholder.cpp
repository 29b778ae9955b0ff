#include "wizard/win/ProfileWizardPagePlaceholder.h"

CProfileWizardPagePlaceholder::CProfileWizardPagePlaceholder(int index, CTolvik_NetworkApp& app)
    : CPropertyPage(kWizardPages[index].templateId, kWizardPages[index].caption), app_(&app), index_(index) {}

BOOL CProfileWizardPagePlaceholder::OnSetActive() {
    if (pageActivationHook != nullptr) pageActivationHook(SheetWindow());
    wizardpage::SetHeaderTitle(SheetWindow(), index_);
    return CPropertyPage::OnSetActive();
}
