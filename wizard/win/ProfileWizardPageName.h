#pragma once
// The first wizard page: the profile's name and one of the six icons.
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "framework/win/Edit.h"
#include "framework/win/PropertyPage.h"
#include "wizard/win/WizardPage.h"

class CTolvik_NetworkApp;
class CCustomIconListCtrl;

class CProfileWizardPageName : public CPropertyPage {
public:
    explicit CProfileWizardPageName(CTolvik_NetworkApp& app);
    ~CProfileWizardPageName() override;

    PageActivationHook pageActivationHook = nullptr;

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    LRESULT OnWizardNext() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    static constexpr int kIconListId = 1007;
    static constexpr int kNameEditId = 1006;

private:
    void FillIcons();
    void SelectIcon(int icon);
    void DestroyIconList();

    CTolvik_NetworkApp* app_;
    CEdit nameEdit_;
    std::unique_ptr<CCustomIconListCtrl> iconList_;
    HIMAGELIST iconImages_ = nullptr;
};
