#include "wizard/win/ProfileWizardPageProxy.h"

#include "framework/win/WideText.h"
#include "profile/ProfileDescription.h"
#include "resources/resource.h"
#include "wizard/ProxyRules.h"
#include "wizard/win/PageControls.h"
#include "wizard/win/ProfileWizardPageProxySetting.h"

using namespace pagecontrols;

namespace {

constexpr int kPageIndex = 3;
constexpr uint8_t kNoProxyMode = 0;
constexpr uint8_t kKeepMode = 1;
constexpr uint8_t kUseProxyMode = 2;
constexpr INT_PTR kDetailsFinished = 1;

}  // namespace

CProfileWizardPageProxy::CProfileWizardPageProxy(const ProfileWizardContext& context)
    : CProfileWizardPage(kPageIndex, context) {}

void CProfileWizardPageProxy::ShowRecord() { SelectMode(context_.editRecord.Record().proxyMode); }

void CProfileWizardPageProxy::SelectMode(uint8_t proxyMode) {
    const bool keep = proxyMode == kKeepMode;
    const bool none = proxyMode == kNoProxyMode;
    SetTicked(m_hWnd, IDC_PROXY_NONE, none);
    SetTicked(m_hWnd, IDC_PROXY_KEEP, keep);
    SetTicked(m_hWnd, IDC_PROXY_USE, !keep && !none);
    if (keep || none) LeaveDetailsAside();
    else UseStoredDetails();
}

void CProfileWizardPageProxy::LeaveDetailsAside() {
    wizardpage::SetNextEnabled(SheetWindow(), true);
    Enable(m_hWnd, IDC_PROXY_DETAILS, false);
    Enable(m_hWnd, IDC_PROXY_SUMMARY, false);
}

void CProfileWizardPageProxy::UseStoredDetails() {
    const CProfileData& record = context_.editRecord;
    const bool complete = proxyrules::IsComplete(proxyrules::LoadDetails(record, context_.ieMajorVersion));
    SetText(m_hWnd, IDC_PROXY_SUMMARY, complete ? W(ComposeProxySummary(record, context_.ieMajorVersion)) : std::wstring());
    Enable(m_hWnd, IDC_PROXY_SUMMARY, complete);
    wizardpage::SetNextEnabled(SheetWindow(), complete);
    Enable(m_hWnd, IDC_PROXY_DETAILS, true);
}

void CProfileWizardPageProxy::EditDetails() {
    CProfileWizardPageProxySetting details(context_, CWnd::FromHandle(SheetWindow()));
    // After a Cancel the dialog may report complete fields that were never
    // stored: the page goes by what the profile holds.
    if (details.DoModal() == kDetailsFinished) UseStoredDetails();
}

bool CProfileWizardPageProxy::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) != BN_CLICKED) return CPropertyPage::OnCommand(wParam, lParam);
    switch (LOWORD(wParam)) {
        case IDC_PROXY_KEEP:
        case IDC_PROXY_NONE: LeaveDetailsAside(); return true;
        case IDC_PROXY_USE: UseStoredDetails(); return true;
        case IDC_PROXY_DETAILS: EditDetails(); return true;
        default: return CPropertyPage::OnCommand(wParam, lParam);
    }
}

void CProfileWizardPageProxy::Store() {
    uint8_t mode = kNoProxyMode;
    if (IsTicked(m_hWnd, IDC_PROXY_KEEP)) mode = kKeepMode;
    else if (IsTicked(m_hWnd, IDC_PROXY_USE)) mode = kUseProxyMode;
    context_.editRecord.Record().proxyMode = mode;
}
