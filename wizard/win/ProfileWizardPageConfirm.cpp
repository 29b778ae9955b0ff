#include "wizard/win/ProfileWizardPageConfirm.h"

#include "framework/win/WideText.h"
#include "profile/ProfileDescription.h"
#include "resources/resource.h"
#include "wizard/NamePageRules.h"

namespace {

constexpr int kPageIndex = 7;

}  // namespace

CProfileWizardPageConfirm::CProfileWizardPageConfirm(const ProfileWizardContext& context)
    : CProfileWizardPage(kPageIndex, context) {}

void CProfileWizardPageConfirm::SetPageButtons(HWND wizard) { wizardpage::ShowFinish(wizard); }

void CProfileWizardPageConfirm::ShowRecord() {
    const CProfileData& profile = context_.editRecord;
    const int32_t icon = profile.Record().iconIndex;
    HICON picture = nullptr;
    if (icon >= 0 && icon < namepage::kIconCount)
        picture = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_PROFILE_FIRST + icon));
    ::SendDlgItemMessageW(m_hWnd, IDC_CONFIRM_ICON, STM_SETICON, reinterpret_cast<WPARAM>(picture), 0);
    ::SetDlgItemTextW(m_hWnd, IDC_CONFIRM_NAME, WPtr(profile.GetText(ProfileText::profileName)));
    ::SetDlgItemTextW(m_hWnd, IDC_CONFIRM_CONNECTION, WPtr(profile.GetText(ProfileText::connectionName)));
    ::SetDlgItemTextW(m_hWnd, IDC_CONFIRM_ADAPTER, WPtr(profile.GetText(ProfileText::adapterDescription)));
    ::SetDlgItemTextW(m_hWnd, IDC_CONFIRM_SUMMARY, WPtr(ComposeProfileSummary(profile, context_.ieMajorVersion)));
}

HBRUSH CProfileWizardPageConfirm::OnCtlColor(HDC dc, HWND control, UINT message) {
    if (control != GetDlgItem(IDC_CONFIRM_SUMMARY) || message != WM_CTLCOLORSTATIC) return nullptr;
    ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
    return ::GetSysColorBrush(COLOR_WINDOW);
}
