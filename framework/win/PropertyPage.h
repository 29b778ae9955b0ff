#pragma once
#include "framework/win/Dialog.h"

#include <commctrl.h>

#include <string>

// One page of a CPropertySheet, from a dialog template. The sheet's
// notifications arrive at the hooks below:
//   OnSetActive      page shown; return TRUE to accept the activation
//   OnKillActive     page left; return TRUE to allow it
//   OnWizardBack     Back pressed: 0 = previous page, -1 = stay, or a page's template id
//   OnWizardNext     Next pressed: 0 = next page, -1 = stay, or a page's template id
//   OnWizardFinish   Finish pressed: TRUE = the wizard ends
//   OnQueryCancel    Cancel pressed: TRUE = the wizard may close
class CPropertyPage : public CDialog {
public:
    explicit CPropertyPage(UINT templateId, const wchar_t* caption = nullptr);

    virtual BOOL OnSetActive() { return TRUE; }
    virtual BOOL OnKillActive() { return TRUE; }
    virtual LRESULT OnWizardBack() { return 0; }
    virtual LRESULT OnWizardNext() { return 0; }
    virtual BOOL OnWizardFinish() { return TRUE; }
    virtual BOOL OnQueryCancel() { return TRUE; }

    // The sheet window around the page.
    HWND SheetWindow() const { return ::GetParent(m_hWnd); }

    // Keyboard handling and ending are the sheet's: a page never ends itself.
    BOOL PreTranslateMessage(MSG*) override { return FALSE; }
    void OnOK() override {}
    void OnCancel() override {}
    bool OnNotify(WPARAM wParam, NMHDR* header, LRESULT* result) override;

    // The page description handed to the system (flags may be adjusted
    // before the sheet is shown).
    PROPSHEETPAGEW m_psp;

    // Set by the sheet: called when the wizard finishes through this page.
    void (*finishObserver)(void* sheet) = nullptr;
    void* finishObserverSheet = nullptr;

private:
    static INT_PTR CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    std::wstring caption_;
};
