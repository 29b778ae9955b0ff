#include "wizard/win/ProfileWizardPageTCP.h"

#include <commctrl.h>

#include <utility>

#include "resources/resource.h"
#include "wizard/AdditionRules.h"
#include "wizard/AddressRules.h"
#include "wizard/NetworkPageRules.h"
#include "wizard/win/PageControls.h"
#include "wizard/win/ProfileWizardPageTcpAdvanced.h"

using pagecontrols::ReadAddress;
using pagecontrols::SetAddress;

namespace {

constexpr int kPageIndex = 2;
constexpr int kAddressControls[] = {IDC_TCP_IP_ADDRESS, IDC_TCP_SUBNET_MASK, IDC_TCP_GATEWAY};
constexpr int kDnsControls[] = {IDC_TCP_PREFERRED_DNS, IDC_TCP_ALTERNATE_DNS};

}  // namespace

CProfileWizardPageTCP::CProfileWizardPageTCP(const ProfileWizardContext& context)
    : CProfileWizardPage(kPageIndex, context) {}

BOOL CProfileWizardPageTCP::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    for (int id : {IDC_TCP_IP_ADDRESS, IDC_TCP_GATEWAY, IDC_TCP_PREFERRED_DNS, IDC_TCP_ALTERNATE_DNS})
        pagecontrols::LimitFirstField(m_hWnd, id);
    ApplyEnablingRule();
    return TRUE;
}

void CProfileWizardPageTCP::ShowRecord() {
    LoadControls();
    ApplyEnablingRule();
}

void CProfileWizardPageTCP::LoadControls() {
    const ProfileRecord& r = context_.editRecord.Record();
    ::CheckRadioButton(m_hWnd, IDC_TCP_FIXED_IP, IDC_TCP_DHCP, r.ipMode == 1 ? IDC_TCP_FIXED_IP : IDC_TCP_DHCP);
    ::CheckRadioButton(m_hWnd, IDC_TCP_DNS_MANUAL, IDC_TCP_DNS_AUTO, r.dnsMode == 1 ? IDC_TCP_DNS_MANUAL : IDC_TCP_DNS_AUTO);
    SetAddress(m_hWnd, IDC_TCP_IP_ADDRESS, r.ipAddress);
    SetAddress(m_hWnd, IDC_TCP_SUBNET_MASK, r.subnetMask);
    SetAddress(m_hWnd, IDC_TCP_GATEWAY, r.defaultGateway);
    SetAddress(m_hWnd, IDC_TCP_PREFERRED_DNS, r.preferredDns);
    SetAddress(m_hWnd, IDC_TCP_ALTERNATE_DNS, r.alternateDns);
}

void CProfileWizardPageTCP::ApplyEnablingRule() {
    const bool fixedIp = pagecontrols::IsTicked(m_hWnd, IDC_TCP_FIXED_IP);
    if (fixedIp) ::CheckRadioButton(m_hWnd, IDC_TCP_DNS_MANUAL, IDC_TCP_DNS_AUTO, IDC_TCP_DNS_MANUAL);
    for (int id : kAddressControls) pagecontrols::Enable(m_hWnd, id, fixedIp);
    pagecontrols::Enable(m_hWnd, IDC_TCP_DNS_MANUAL, true);
    pagecontrols::Enable(m_hWnd, IDC_TCP_DNS_AUTO, !fixedIp);
    const bool dnsByHand = pagecontrols::IsTicked(m_hWnd, IDC_TCP_DNS_MANUAL);
    for (int id : kDnsControls) pagecontrols::Enable(m_hWnd, id, dnsByHand);
}

void CProfileWizardPageTCP::FillMaskFromClass() {
    uint32_t mask = 0;
    if (addressrules::MaskFromClass(static_cast<int>(ReadAddress(m_hWnd, IDC_TCP_IP_ADDRESS).value >> 24), &mask))
        SetAddress(m_hWnd, IDC_TCP_SUBNET_MASK, mask);
}

void CProfileWizardPageTCP::EditAdditions() {
    CProfileWizardPageTcpAdvanced dialog(context_, tcppage::ValuesAsTyped(ReadControls()),
                                         CWnd::FromHandle(SheetWindow()));
    dialog.DoModal();
}

bool CProfileWizardPageTCP::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED && id >= IDC_TCP_FIXED_IP && id <= IDC_TCP_DNS_AUTO) {
        ApplyEnablingRule();
        return true;
    }
    if (pagecontrols::IsClickOn(wParam, IDC_TCP_ADVANCED)) {
        EditAdditions();
        return true;
    }
    return CPropertyPage::OnCommand(wParam, lParam);
}

bool CProfileWizardPageTCP::OnNotify(WPARAM wParam, NMHDR* header, LRESULT* result) {
    if (header->idFrom == IDC_TCP_IP_ADDRESS && header->code == IPN_FIELDCHANGED) {
        // Moving between the fields of the address leaves the mask alone;
        // only leaving the control completes it.
        const HWND focus = ::GetFocus();
        if (focus == nullptr || ::GetParent(focus) != header->hwndFrom) FillMaskFromClass();
        *result = 0;
        return true;
    }
    return CPropertyPage::OnNotify(wParam, header, result);
}

void CProfileWizardPageTCP::Store() {
    tcppage::WriteTcpValues(tcppage::ValuesAsTyped(ReadControls()), context_.editRecord.Record());
}

LRESULT CProfileWizardPageTCP::OnWizardNext() {
    const tcppage::TcpCheck check = tcppage::CheckTcpPage(ReadControls());
    if (pagecontrols::RefuseNext(m_hWnd, check.messageId, check.focusId)) return -1;
    if (pagecontrols::RefuseNext(m_hWnd,
                                 networkpage::FallbackFitsMode(context_.editRecord.Extension().fallback, check.values.ipMode)
                                     ? 0 : IDS_FALLBACK_MODE,
                                 IDC_TCP_FIXED_IP))
        return -1;
    ProfileExtension used = additionrules::UsedAdditions(check.values, context_.editRecord.Extension());
    if (pagecontrols::RefuseNext(m_hWnd, additionrules::CheckAdditions(check.values, used).messageId, IDC_TCP_ADVANCED))
        return -1;
    tcppage::WriteTcpValues(check.values, context_.editRecord.Record());
    context_.editRecord.Extension() = std::move(used);
    return 0;
}

tcppage::TcpInput CProfileWizardPageTCP::ReadControls() const {
    tcppage::TcpInput in;
    in.fixedIp = pagecontrols::IsTicked(m_hWnd, IDC_TCP_FIXED_IP);
    in.dnsByHand = pagecontrols::IsTicked(m_hWnd, IDC_TCP_DNS_MANUAL);
    in.address = ReadAddress(m_hWnd, IDC_TCP_IP_ADDRESS);
    in.mask = ReadAddress(m_hWnd, IDC_TCP_SUBNET_MASK);
    in.gateway = ReadAddress(m_hWnd, IDC_TCP_GATEWAY);
    in.preferredDns = ReadAddress(m_hWnd, IDC_TCP_PREFERRED_DNS);
    in.alternateDns = ReadAddress(m_hWnd, IDC_TCP_ALTERNATE_DNS);
    return in;
}
