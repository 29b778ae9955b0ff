#pragma once
// The first wizard page: the profile's name and one of the six icons.
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "framework/win/Edit.h"
#include "framework/win/ImageList.h"
#include "wizard/win/ProfileWizardPage.h"

class CCustomIconListCtrl;

class CProfileWizardPageName : public CProfileWizardPage {
public:
    explicit CProfileWizardPageName(const ProfileWizardContext& context);
    ~CProfileWizardPageName() override;

    BOOL OnInitDialog() override;
    LRESULT OnWizardNext() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    void SetPageButtons(HWND wizard) override;
    void ShowRecord() override;
    void FillIcons();
    void SelectIcon(int icon);
    void DestroyIconList();

    CEdit nameEdit_;
    std::unique_ptr<CCustomIconListCtrl> iconList_;
    CImageList iconImages_;
};
