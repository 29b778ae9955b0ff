#pragma once
// The seventh wizard page: a printer that a switch makes the Windows
// default printer, chosen from the printers installed when the page was
// first shown.
#include "framework/win/ListCtrl.h"
#include "framework/win/PropertyPage.h"
#include "wizard/win/WizardPage.h"

class CTolvik_NetworkApp;

class CProfileWizardPagePrinter : public CPropertyPage {
public:
    explicit CProfileWizardPagePrinter(CTolvik_NetworkApp& app);

    PageActivationHook pageActivationHook = nullptr;

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    LRESULT OnWizardBack() override;
    LRESULT OnWizardNext() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    static constexpr int kPrinterListId = 1019;
    static constexpr int kPrinterCheckId = 1020;

private:
    void FillList();
    void SelectStoredPrinter();
    int SelectedRow() const;
    void ApplyEnablingRule();
    void Store();

    CTolvik_NetworkApp* app_;
    CListCtrl printers_;
};
