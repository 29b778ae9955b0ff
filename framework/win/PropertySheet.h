#pragma once
#include "framework/win/PropertyPage.h"

#include <string>
#include <vector>

// Wizard definitions of newer SDKs than the toolchain's headers.
#ifndef PSH_AEROWIZARD
#define PSH_AEROWIZARD 0x00004000
#endif
#ifndef PSM_SHOWWIZBUTTONS
#define PSM_SHOWWIZBUTTONS (WM_USER + 138)
#endif
#ifndef PSM_ENABLEWIZBUTTONS
#define PSM_ENABLEWIZBUTTONS (WM_USER + 139)
#endif
#ifndef PSWIZB_CANCEL
#define PSWIZB_CANCEL 0x00000010
#endif
// Button ids of a wizard sheet.
#ifndef ID_WIZBACK
#define ID_WIZBACK 0x3023
#define ID_WIZNEXT 0x3024
#define ID_WIZFINISH 0x3025
#endif

// A property sheet, here used as a wizard. SetWizardMode chooses the Aero
// wizard; where the system refuses it, DoModal falls back to the classic
// wizard with the same pages, titles and buttons.
class CPropertySheet : public CWnd {
public:
    explicit CPropertySheet(const wchar_t* caption, CWnd* parent = nullptr);

    void AddPage(CPropertyPage* page) { pages_.push_back(page); }
    int GetPageCount() const { return static_cast<int>(pages_.size()); }
    void SetWizardMode() { m_psh.dwFlags |= PSH_WIZARD | PSH_AEROWIZARD; }

    // Runs the sheet modally in the framework's loop. ID_WIZFINISH when a
    // page finished the wizard, IDCANCEL when it was cancelled or closed,
    // -1 when it could not be shown.
    virtual INT_PTR DoModal();
    bool UsedAeroWizard() const { return usedAero_; }

    BOOL PreTranslateMessage(MSG* msg) override;

    // Header handed to the system; set flags such as PSH_USEHICON and hIcon
    // before DoModal (pages and the modeless flag are filled in there).
    PROPSHEETHEADERW m_psh;

private:
    HWND Show(HWND owner, DWORD flags);
    static void NoteFinish(void* sheet);

    std::wstring caption_;
    CWnd* parent_;
    std::vector<CPropertyPage*> pages_;
    bool finished_ = false;
    bool usedAero_ = false;
};
