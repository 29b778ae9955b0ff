#pragma once
// The profile wizard: eight pages that edit the context's editRecord.
// DoModal returns 1 when the user committed on the confirmation page.
#include "framework/win/PropertySheet.h"
#include "framework/win/UniqueHandle.h"
#include "wizard/win/ProfileWizardPageAdapter.h"
#include "wizard/win/ProfileWizardPageConfirm.h"
#include "wizard/win/ProfileWizardPageName.h"
#include "wizard/win/ProfileWizardPageNetworkChk.h"
#include "wizard/win/ProfileWizardPagePrinter.h"
#include "wizard/win/ProfileWizardPageProxy.h"
#include "wizard/win/ProfileWizardPageRunApp.h"
#include "wizard/win/ProfileWizardPageTCP.h"

class CProfileWizard : public CPropertySheet {
public:
    CProfileWizard(const wchar_t* caption, const ProfileWizardContext& context, CWnd* parent = nullptr);

    // Adds the pages in their order, switches to wizard mode and gives every
    // page the activation hook. Once, before DoModal.
    void SetupPages();
    // 1 when Finish ("登録(&R)") ended the wizard, IDCANCEL otherwise.
    INT_PTR DoModal() override;

    // Sets the title and shows and enables Back, Next and Cancel.
    static void PageActivationHook(HWND wizard);

private:
    CProfileWizardPageName name_;
    CProfileWizardPageAdapter adapter_;
    CProfileWizardPageTCP tcp_;
    CProfileWizardPageProxy proxy_;
    CProfileWizardPageNetworkChk networkChk_;
    CProfileWizardPageRunApp runApp_;
    CProfileWizardPagePrinter printer_;
    CProfileWizardPageConfirm confirm_;
    CIcon icon_;
};
