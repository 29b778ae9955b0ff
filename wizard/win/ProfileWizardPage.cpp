#include "wizard/win/ProfileWizardPage.h"

namespace {

// What Back and Next tell the wizard: go to the neighbouring page, or stay.
constexpr LRESULT kMoveOn = 0;
constexpr LRESULT kStay = -1;

}  // namespace

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

LRESULT CProfileWizardPage::OnWizardBack() {
    Store();
    return kMoveOn;
}

LRESULT CProfileWizardPage::OnWizardNext() {
    if (!PassesCheck()) return kStay;
    Store();
    return kMoveOn;
}

void CProfileWizardPage::SetPageButtons(HWND) {}

void CProfileWizardPage::Store() {}

bool CProfileWizardPage::PassesCheck() { return true; }
