#include "wizard/win/ProfileWizardPageNetworkChk.h"

#include "framework/win/WideText.h"
#include "resources/resource.h"
#include "wizard/NetworkCheckRules.h"
#include "wizard/win/PageControls.h"

using namespace pagecontrols;

namespace {

constexpr int kPageIndex = 4;

}  // namespace

CProfileWizardPageNetworkChk::CProfileWizardPageNetworkChk(const ProfileWizardContext& context)
    : CProfileWizardPage(kPageIndex, context) {}

BOOL CProfileWizardPageNetworkChk::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    for (int id : {IDC_NETWORKCHK_DHCP, IDC_NETWORKCHK_PING, IDC_NETWORKCHK_URL}) SetTicked(m_hWnd, id, false);
    LimitText(m_hWnd, IDC_NETWORKCHK_URL_EDIT, networkcheck::kUrlLimit);
    ApplyEnablingRule();
    return TRUE;
}

void CProfileWizardPageNetworkChk::ShowRecord() {
    const CProfileData& profile = context_.editRecord;
    SetTicked(m_hWnd, IDC_NETWORKCHK_DHCP, profile.Record().checkDhcp == 1);
    SetTicked(m_hWnd, IDC_NETWORKCHK_PING, profile.Record().checkPingGateway == 1);
    SetTicked(m_hWnd, IDC_NETWORKCHK_URL, profile.Record().checkUrlEnabled == 1);
    SetText(m_hWnd, IDC_NETWORKCHK_URL_EDIT, W(profile.GetText(ProfileText::checkUrl)));
    ApplyEnablingRule();
}

// The ping needs a gateway; the URL is typed only for the HTTP check.
void CProfileWizardPageNetworkChk::ApplyEnablingRule() {
    const ProfileRecord& record = context_.editRecord.Record();
    const bool pingOffered = networkcheck::IsPingOffered(record.ipMode, record.defaultGateway);
    if (!pingOffered) SetTicked(m_hWnd, IDC_NETWORKCHK_PING, false);
    Enable(m_hWnd, IDC_NETWORKCHK_PING, pingOffered);
    Enable(m_hWnd, IDC_NETWORKCHK_URL_EDIT, IsTicked(m_hWnd, IDC_NETWORKCHK_URL));
}

bool CProfileWizardPageNetworkChk::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (!IsClickOn(wParam, IDC_NETWORKCHK_URL)) return CPropertyPage::OnCommand(wParam, lParam);
    ApplyEnablingRule();
    return true;
}

bool CProfileWizardPageNetworkChk::PassesCheck() {
    const Text url = T(TextOf(m_hWnd, IDC_NETWORKCHK_URL_EDIT));
    return !RefuseNext(m_hWnd, networkcheck::CheckNetworkCheckPage(IsTicked(m_hWnd, IDC_NETWORKCHK_URL), url), IDC_NETWORKCHK_URL_EDIT);
}

void CProfileWizardPageNetworkChk::Store() {
    CProfileData& profile = context_.editRecord;
    profile.Record().checkDhcp = FlagOf(m_hWnd, IDC_NETWORKCHK_DHCP);
    profile.Record().checkPingGateway = FlagOf(m_hWnd, IDC_NETWORKCHK_PING);
    profile.Record().checkUrlEnabled = FlagOf(m_hWnd, IDC_NETWORKCHK_URL);
    profile.SetText(ProfileText::checkUrl, T(TextOf(m_hWnd, IDC_NETWORKCHK_URL_EDIT)));
}
