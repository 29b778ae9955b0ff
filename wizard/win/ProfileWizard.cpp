#include "wizard/win/ProfileWizard.h"

#include "resources/resource.h"

CProfileWizard::CProfileWizard(const wchar_t* caption, const ProfileWizardContext& context, CWnd* parent)
    : CPropertySheet(caption, parent),
      name_(context),
      adapter_(context),
      tcp_(context),
      proxy_(context),
      networkChk_(context),
      runApp_(context),
      printer_(context),
      confirm_(context) {
    icon_.Reset(static_cast<HICON>(
        ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)));
    m_psh.dwFlags |= PSH_WIZARD | PSH_AEROWIZARD | PSH_USEHICON;
    m_psh.hIcon = icon_.Get();
}

void CProfileWizard::PageActivationHook(HWND wizard) { wizardpage::ActivateFrame(wizard); }

void CProfileWizard::SetupPages() {
    CProfileWizardPage* pages[] = {&name_, &adapter_, &tcp_, &proxy_, &networkChk_, &runApp_, &printer_, &confirm_};
    for (CProfileWizardPage* page : pages) {
        AddPage(page);
        page->pageActivationHook = &CProfileWizard::PageActivationHook;
    }
    SetWizardMode();
}

INT_PTR CProfileWizard::DoModal() { return CPropertySheet::DoModal() == ID_WIZFINISH ? 1 : IDCANCEL; }
