#include "framework/win/PropertyPage.h"

CPropertyPage::CPropertyPage(UINT templateId, const wchar_t* caption)
    : CDialog(templateId), m_psp{}, caption_(caption ? caption : L"") {
    m_psp.dwSize = sizeof(m_psp);
    m_psp.dwFlags = PSP_DEFAULT;
    m_psp.hInstance = ::GetModuleHandleW(nullptr);
    m_psp.pszTemplate = MAKEINTRESOURCEW(templateId);
    m_psp.pfnDlgProc = &CPropertyPage::PageProc;
    m_psp.lParam = reinterpret_cast<LPARAM>(this);
    if (!caption_.empty()) {
        m_psp.dwFlags |= PSP_USETITLE | PSP_USEHEADERTITLE;
        m_psp.pszTitle = caption_.c_str();
        m_psp.pszHeaderTitle = caption_.c_str();
    }
}

bool CPropertyPage::OnNotify(WPARAM wParam, NMHDR* header, LRESULT* result) {
    switch (header->code) {
        case PSN_SETACTIVE: *result = OnSetActive() ? 0 : -1; return true;
        case PSN_KILLACTIVE: *result = OnKillActive() ? FALSE : TRUE; return true;
        case PSN_WIZBACK: *result = OnWizardBack(); return true;
        case PSN_WIZNEXT: *result = OnWizardNext(); return true;
        case PSN_WIZFINISH: {
            BOOL finish = OnWizardFinish();
            if (finish && finishObserver) finishObserver(finishObserverSheet);
            *result = finish ? FALSE : TRUE;
            return true;
        }
        case PSN_QUERYCANCEL: *result = OnQueryCancel() ? FALSE : TRUE; return true;
        default: return CDialog::OnNotify(wParam, header, result);
    }
}

INT_PTR CALLBACK CPropertyPage::PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        // lParam is the system's copy of m_psp; its lParam is the page object.
        auto* psp = reinterpret_cast<PROPSHEETPAGEW*>(lParam);
        return InitDialogObject(window, reinterpret_cast<CPropertyPage*>(psp->lParam));
    }
    return DialogProc(window, message, wParam, lParam);
}
