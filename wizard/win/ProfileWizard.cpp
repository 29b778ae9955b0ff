#include "wizard/win/ProfileWizard.h"

#include "resources/resource.h"

CProfileWizard::CProfileWizard(const wchar_t* caption, CTolvik_NetworkApp& app, CWnd* parent)
    : CPropertySheet(caption, parent),
      name_(app),
      adapter_(app),
      tcp_(app),
      proxy_(app),
      networkChk_(app),
      runApp_(app),
      printer_(app),
      confirm_(app) {
    icon_ = static_cast<HICON>(
        ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    m_psh.dwFlags |= PSH_WIZARD | PSH_AEROWIZARD | PSH_USEHICON;
    m_psh.hIcon = icon_;
}

CProfileWizard::~CProfileWizard() {
    if (icon_ != nullptr) ::DestroyIcon(icon_);
}

void CProfileWizard::PageActivationHook(HWND wizard) { wizardpage::ActivateFrame(wizard); }

void CProfileWizard::SetupPages() {
    CPropertyPage* pages[] = {&name_, &adapter_, &tcp_, &proxy_, &networkChk_, &runApp_, &printer_, &confirm_};
    for (CPropertyPage* page : pages) AddPage(page);
    SetWizardMode();
    name_.pageActivationHook = &CProfileWizard::PageActivationHook;
    adapter_.pageActivationHook = &CProfileWizard::PageActivationHook;
    tcp_.pageActivationHook = &CProfileWizard::PageActivationHook;
    proxy_.pageActivationHook = &CProfileWizard::PageActivationHook;
    networkChk_.pageActivationHook = &CProfileWizard::PageActivationHook;
    runApp_.pageActivationHook = &CProfileWizard::PageActivationHook;
    printer_.pageActivationHook = &CProfileWizard::PageActivationHook;
    confirm_.pageActivationHook = &CProfileWizard::PageActivationHook;
}

INT_PTR CProfileWizard::DoModal() { return CPropertySheet::DoModal() == ID_WIZFINISH ? 1 : IDCANCEL; }
