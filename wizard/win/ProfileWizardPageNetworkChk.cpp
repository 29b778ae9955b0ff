#include "wizard/win/ProfileWizardPageNetworkChk.h"

#include "framework/win/WideText.h"
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
    for (int id : {kDhcpCheckId, kPingCheckId, kUrlCheckId}) SetTicked(m_hWnd, id, false);
    LimitText(m_hWnd, kUrlEditId, networkcheck::kUrlLimit);
    ApplyEnablingRule();
    return TRUE;
}

void CProfileWizardPageNetworkChk::ShowRecord() {
    const CProfileData& profile = context_.editRecord;
    SetTicked(m_hWnd, kDhcpCheckId, profile.Record().checkDhcp == 1);
    SetTicked(m_hWnd, kPingCheckId, profile.Record().checkPingGateway == 1);
    SetTicked(m_hWnd, kUrlCheckId, profile.Record().checkUrlEnabled == 1);
    SetText(m_hWnd, kUrlEditId, W(profile.GetText(ProfileText::checkUrl)));
    ApplyEnablingRule();
}

// The ping needs a gateway; the URL is typed only for the HTTP check.
void CProfileWizardPageNetworkChk::ApplyEnablingRule() {
    const ProfileRecord& record = context_.editRecord.Record();
    const bool pingOffered = networkcheck::IsPingOffered(record.ipMode, record.defaultGateway);
    if (!pingOffered) SetTicked(m_hWnd, kPingCheckId, false);
    Enable(m_hWnd, kPingCheckId, pingOffered);
    Enable(m_hWnd, kUrlEditId, IsTicked(m_hWnd, kUrlCheckId));
}

bool CProfileWizardPageNetworkChk::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (!IsClickOn(wParam, kUrlCheckId)) return CPropertyPage::OnCommand(wParam, lParam);
    ApplyEnablingRule();
    return true;
}

bool CProfileWizardPageNetworkChk::PassesCheck() {
    const Text url = T(TextOf(m_hWnd, kUrlEditId));
    return !RefuseNext(m_hWnd, networkcheck::CheckNetworkCheckPage(IsTicked(m_hWnd, kUrlCheckId), url), kUrlEditId);
}

void CProfileWizardPageNetworkChk::Store() {
    CProfileData& profile = context_.editRecord;
    profile.Record().checkDhcp = FlagOf(m_hWnd, kDhcpCheckId);
    profile.Record().checkPingGateway = FlagOf(m_hWnd, kPingCheckId);
    profile.Record().checkUrlEnabled = FlagOf(m_hWnd, kUrlCheckId);
    profile.SetText(ProfileText::checkUrl, T(TextOf(m_hWnd, kUrlEditId)));
}
