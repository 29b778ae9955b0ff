#include "wizard/win/ProfileWizardPageProxySetting.h"

#include "controls/EditFilter.h"
#include "framework/win/WideText.h"
#include "resources/resource.h"
#include "wizard/win/PageControls.h"
#include "wizard/win/WizardPage.h"

using namespace pagecontrols;
using proxyrules::kGopher;
using proxyrules::kHttp;
using proxyrules::kProtocolCount;
using proxyrules::kSocks;
using proxyrules::ProxyCheck;
using proxyrules::ProxyDetails;

namespace {

constexpr int kFinishedResult = 1;
constexpr int kIncompleteResult = 2;
// The edits of each protocol, in the rules' order.
constexpr int kServerIds[kProtocolCount] = {IDC_PROXY_SETTING_HTTP, IDC_PROXY_SETTING_SECURE, IDC_PROXY_SETTING_FTP,
                                            IDC_PROXY_SETTING_GOPHER, IDC_PROXY_SETTING_SOCKS};
constexpr int kPortIds[kProtocolCount] = {IDC_PROXY_SETTING_HTTP_PORT, IDC_PROXY_SETTING_SECURE_PORT,
                                          IDC_PROXY_SETTING_FTP_PORT, IDC_PROXY_SETTING_GOPHER_PORT,
                                          IDC_PROXY_SETTING_SOCKS_PORT};

void PrepareEdit(CCustomEdit& edit, int id, CWnd* dialog, std::size_t limit, int mode, bool allowOtherAscii) {
    edit.SubclassDlgItem(id, dialog);
    edit.SetLimitText(static_cast<UINT>(limit));
    edit.SetFilterMode(mode, allowOtherAscii);
}

}  // namespace

CProfileWizardPageProxySetting::CProfileWizardPageProxySetting(const ProfileWizardContext& context, CWnd* parent)
    : CDialog(IDD_PROXY_SETTING, parent), context_(context) {}

bool CProfileWizardPageProxySetting::UsesGopher() const { return proxyrules::UsesGopher(context_.ieMajorVersion); }

BOOL CProfileWizardPageProxySetting::OnInitDialog() {
    CDialog::OnInitDialog();
    PrepareEdits();
    SetTicked(m_hWnd, IDC_PROXY_SETTING_SAME_FOR_ALL, false);
    SetTicked(m_hWnd, IDC_PROXY_SETTING_BYPASS_LOCAL, false);
    ShowDetails(proxyrules::LoadDetails(context_.editRecord, context_.ieMajorVersion));
    ApplySameProxyRule();
    return TRUE;
}

void CProfileWizardPageProxySetting::PrepareEdits() {
    PrepareEdit(script_, IDC_PROXY_SETTING_SCRIPT, this, proxyrules::kScriptLimit, editfilter::kNoFilter, true);
    for (int p = 0; p < kProtocolCount; ++p) {
        PrepareEdit(servers_[p], kServerIds[p], this, proxyrules::kServerLimit, editfilter::kPrintable, false);
        PrepareEdit(ports_[p], kPortIds[p], this, proxyrules::kPortLimit, editfilter::kDigits, false);
    }
    // Any ASCII character, blanks and line breaks included.
    PrepareEdit(exceptions_, IDC_PROXY_SETTING_EXCEPTIONS, this, proxyrules::kExceptionLimit, editfilter::kPrintable, true);
}

void CProfileWizardPageProxySetting::ShowDetails(const ProxyDetails& details) {
    script_.SetWindowText(W(details.script));
    for (int p = 0; p < kProtocolCount; ++p) {
        servers_[p].SetWindowText(W(details.servers[p]));
        ports_[p].SetWindowText(W(proxyrules::PortText(details.ports[p])));
    }
    SetTicked(m_hWnd, IDC_PROXY_SETTING_SAME_FOR_ALL, details.sameForAll);
    exceptions_.SetWindowText(W(details.exceptions));
    SetTicked(m_hWnd, IDC_PROXY_SETTING_BYPASS_LOCAL, details.bypassLocal);
}

ProxyDetails CProfileWizardPageProxySetting::ReadDetails() const {
    ProxyDetails details;
    details.script = T(script_.GetWindowText());
    for (int p = 0; p < kProtocolCount; ++p) {
        details.servers[p] = T(servers_[p].GetWindowText());
        details.ports[p] = proxyrules::ReadPort(T(ports_[p].GetWindowText()));
    }
    details.sameForAll = IsTicked(m_hWnd, IDC_PROXY_SETTING_SAME_FOR_ALL);
    details.exceptions = T(exceptions_.GetWindowText());
    details.bypassLocal = IsTicked(m_hWnd, IDC_PROXY_SETTING_BYPASS_LOCAL);
    return details;
}

void CProfileWizardPageProxySetting::ApplySameProxyRule() {
    const bool same = IsTicked(m_hWnd, IDC_PROXY_SETTING_SAME_FOR_ALL);
    for (int p = kHttp + 1; p < kProtocolCount; ++p) {
        const bool enabled = !same && (p != kGopher || UsesGopher());
        servers_[p].EnableWindow(enabled);
        ports_[p].EnableWindow(enabled);
        if (!same) continue;
        const bool copied = p != kSocks && (p != kGopher || UsesGopher());
        servers_[p].SetWindowText(copied ? servers_[kHttp].GetWindowText() : std::wstring());
        ports_[p].SetWindowText(copied ? ports_[kHttp].GetWindowText() : std::wstring());
    }
}

bool CProfileWizardPageProxySetting::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (!IsClickOn(wParam, IDC_PROXY_SETTING_SAME_FOR_ALL)) return CDialog::OnCommand(wParam, lParam);
    ApplySameProxyRule();
    return true;
}

HWND CProfileWizardPageProxySetting::FocusFor(ProxyCheck check) const {
    switch (check) {
        case ProxyCheck::SecurePort: return ports_[proxyrules::kSecure].m_hWnd;
        case ProxyCheck::FtpPort: return ports_[proxyrules::kFtp].m_hWnd;
        case ProxyCheck::GopherPort: return ports_[kGopher].m_hWnd;
        case ProxyCheck::SocksPort: return ports_[kSocks].m_hWnd;
        case ProxyCheck::HttpPort: return ports_[kHttp].m_hWnd;
        default: return servers_[kHttp].m_hWnd;
    }
}

void CProfileWizardPageProxySetting::OnOK() {
    const ProxyDetails details = ReadDetails();
    const ProxyCheck check = proxyrules::CheckDetails(details);
    if (check != ProxyCheck::Passed) {
        wizardpage::ReportCheckFailure(m_hWnd, static_cast<UINT>(proxyrules::ProxyCheckMessage(check)),
                                       FocusFor(check));
        return;
    }
    proxyrules::StoreDetails(details, &context_.editRecord);
    EndDialog(kFinishedResult);
}

void CProfileWizardPageProxySetting::OnCancel() {
    EndDialog(proxyrules::IsComplete(ReadDetails()) ? kFinishedResult : kIncompleteResult);
}
