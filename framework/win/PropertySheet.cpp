#include "framework/win/PropertySheet.h"

#include "framework/win/MessageLoop.h"

CPropertySheet::CPropertySheet(const wchar_t* caption, CWnd* parent)
    : m_psh{}, caption_(caption ? caption : L""), parent_(parent) {
    m_psh.dwSize = sizeof(m_psh);
    m_psh.hInstance = ::GetModuleHandleW(nullptr);
    m_psh.pszCaption = caption_.c_str();
}

void CPropertySheet::NoteFinish(void* sheet) { static_cast<CPropertySheet*>(sheet)->finished_ = true; }

HWND CPropertySheet::Show(HWND owner, DWORD flags) {
    std::vector<PROPSHEETPAGEW> descriptions;
    for (CPropertyPage* page : pages_) {
        page->finishObserver = &CPropertySheet::NoteFinish;
        page->finishObserverSheet = this;
        descriptions.push_back(page->m_psp);
    }
    PROPSHEETHEADERW header = m_psh;
    header.dwFlags = flags | PSH_PROPSHEETPAGE | PSH_MODELESS;
    header.hwndParent = owner;
    header.nPages = static_cast<UINT>(descriptions.size());
    header.ppsp = descriptions.data();
    return reinterpret_cast<HWND>(::PropertySheetW(&header));
}

INT_PTR CPropertySheet::DoModal() {
    HWND owner = parent_ && parent_->m_hWnd ? parent_->m_hWnd : nullptr;
    if (!owner && ::GetActiveWindow()) owner = ::GetAncestor(::GetActiveWindow(), GA_ROOT);
    finished_ = false;
    usedAero_ = (m_psh.dwFlags & PSH_AEROWIZARD) != 0;
    HWND sheet = Show(owner, m_psh.dwFlags);
    if ((!sheet || sheet == reinterpret_cast<HWND>(-1)) && usedAero_) {
        usedAero_ = false;  // no Aero wizard here: the classic one
        sheet = Show(owner, m_psh.dwFlags & ~PSH_AEROWIZARD);
    }
    if (!sheet || sheet == reinterpret_cast<HWND>(-1)) return -1;
    Attach(sheet);
    bool ownerDisabled = owner && ::IsWindowEnabled(owner);
    if (ownerDisabled) ::EnableWindow(owner, FALSE);
    // A modeless sheet ends when it has no current page any more.
    while (::IsWindow(sheet) && ::SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0) != 0) {
        if (!msgloop::PumpMessage()) break;
    }
    if (ownerDisabled) ::EnableWindow(owner, TRUE);
    Detach();
    if (owner) ::SetActiveWindow(owner);
    ::DestroyWindow(sheet);
    return finished_ ? ID_WIZFINISH : IDCANCEL;
}

BOOL CPropertySheet::PreTranslateMessage(MSG* msg) {
    return static_cast<BOOL>(::SendMessageW(m_hWnd, PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(msg)));
}
