#include "wizard/win/ProfileWizardPageTcpAdvanced.h"

#include <commctrl.h>

#include "controls/EditFilter.h"
#include "framework/win/ResourceString.h"
#include "framework/win/WideText.h"
#include "resources/resource.h"
#include "system/Tools.h"
#include "wizard/win/PageControls.h"
#include "wizard/win/WizardPage.h"

using additionediting::kNewEntry;
using additionrules::AdditionCheck;
using additionrules::Part;
using pagecontrols::Enable;

namespace {

// The controls of one list, in the order of additionediting::List; a list
// without a second field or column has 0 there.
struct ListControls {
    additionediting::List list;
    int listId, addressId, secondId, addId, changeId, removeId, upId, downId;
    UINT columns[2];
};

constexpr ListControls kLists[] = {
    {additionediting::List::Addresses, IDC_TCP_ADVANCED_ADDRESS_LIST, IDC_TCP_ADVANCED_ADDRESS_IP,
     IDC_TCP_ADVANCED_ADDRESS_MASK, IDC_TCP_ADVANCED_ADDRESS_ADD, IDC_TCP_ADVANCED_ADDRESS_CHANGE,
     IDC_TCP_ADVANCED_ADDRESS_REMOVE, IDC_TCP_ADVANCED_ADDRESS_UP, IDC_TCP_ADVANCED_ADDRESS_DOWN,
     {IDS_COLUMN_IP_ADDRESS, IDS_COLUMN_SUBNET_MASK}},
    {additionediting::List::Gateways, IDC_TCP_ADVANCED_GATEWAY_LIST, IDC_TCP_ADVANCED_GATEWAY_IP,
     IDC_TCP_ADVANCED_GATEWAY_METRIC, IDC_TCP_ADVANCED_GATEWAY_ADD, IDC_TCP_ADVANCED_GATEWAY_CHANGE,
     IDC_TCP_ADVANCED_GATEWAY_REMOVE, IDC_TCP_ADVANCED_GATEWAY_UP, IDC_TCP_ADVANCED_GATEWAY_DOWN,
     {IDS_COLUMN_GATEWAY, IDS_COLUMN_METRIC}},
    {additionediting::List::DnsServers, IDC_TCP_ADVANCED_DNS_LIST, IDC_TCP_ADVANCED_DNS_IP, 0,
     IDC_TCP_ADVANCED_DNS_ADD, IDC_TCP_ADVANCED_DNS_CHANGE, IDC_TCP_ADVANCED_DNS_REMOVE, IDC_TCP_ADVANCED_DNS_UP,
     IDC_TCP_ADVANCED_DNS_DOWN, {IDS_COLUMN_DNS_SERVER, 0}},
};
constexpr int kAddresses = 0;
constexpr int kGateways = 1;
constexpr int kDnsServers = 2;
constexpr DWORD kListStyles = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT;

// The list a refused part belongs to; -1 for the suffix.
int ListOf(Part part) {
    switch (part) {
        case Part::Address:
        case Part::Mask: return kAddresses;
        case Part::Gateway:
        case Part::Metric: return kGateways;
        case Part::DnsServer: return kDnsServers;
        default: return -1;
    }
}

// The field that holds a refused part.
int FieldOf(Part part) {
    switch (part) {
        case Part::Address: return IDC_TCP_ADVANCED_ADDRESS_IP;
        case Part::Mask: return IDC_TCP_ADVANCED_ADDRESS_MASK;
        case Part::Gateway: return IDC_TCP_ADVANCED_GATEWAY_IP;
        case Part::Metric: return IDC_TCP_ADVANCED_GATEWAY_METRIC;
        case Part::DnsServer: return IDC_TCP_ADVANCED_DNS_IP;
        case Part::Suffix: return IDC_TCP_ADVANCED_SUFFIX;
        default: return 0;
    }
}

std::wstring Dotted(uint32_t address) { return W(CTools().AddressToText(address)); }

}  // namespace

CProfileWizardPageTcpAdvanced::CProfileWizardPageTcpAdvanced(const ProfileWizardContext& context,
                                                             const tcppage::TcpValues& page, CWnd* parent)
    : CDialog(IDD_TCP_ADVANCED, parent), context_(context), page_(page), additions_(context.editRecord.Extension()) {}

CProfileWizardPageTcpAdvanced::~CProfileWizardPageTcpAdvanced() { DetachLists(); }

BOOL CProfileWizardPageTcpAdvanced::OnInitDialog() {
    CDialog::OnInitDialog();
    metric_.SubclassDlgItem(IDC_TCP_ADVANCED_GATEWAY_METRIC, this);
    metric_.SetLimitText(static_cast<UINT>(additionediting::kMetricDigits));
    metric_.SetFilterMode(editfilter::kDigits, false);
    suffix_.SubclassDlgItem(IDC_TCP_ADVANCED_SUFFIX, this);
    suffix_.SetLimitText(static_cast<UINT>(extension::kMaxSuffixChars));
    suffix_.SetFilterMode(editfilter::kPrintable, false);
    suffix_.SetWindowText(W(additions_.dnsSuffix));
    for (int list = 0; list < kListCount; ++list) {
        PrepareList(list);
        ShowList(list, kNewEntry);
    }
    return TRUE;
}

void CProfileWizardPageTcpAdvanced::PrepareList(int list) {
    const ListControls& c = kLists[list];
    CListCtrl& view = lists_[list];
    view.Attach(GetDlgItem(c.listId));
    view.SetExtendedStyle(view.GetExtendedStyle() | kListStyles);
    RECT client{};
    view.GetClientRect(&client);
    const int columns = c.columns[1] != 0 ? 2 : 1;
    for (int i = 0; i < columns; ++i) {
        std::wstring title = LoadResString(c.columns[i]);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = &title[0];
        column.cx = static_cast<int>(client.right - client.left) / columns;
        column.iSubItem = i;
        view.InsertColumn(i, column);
    }
    pagecontrols::LimitFirstField(m_hWnd, c.addressId);
}

void CProfileWizardPageTcpAdvanced::ShowList(int list, std::size_t selected) {
    const List which = kLists[list].list;
    CListCtrl& view = lists_[list];
    view.DeleteAllItems();
    for (std::size_t i = 0; i < additionediting::Count(additions_, which); ++i) {
        const additionediting::Entry entry = additionediting::EntryAt(additions_, which, i);
        const int row = view.InsertItem(static_cast<int>(i), Dotted(entry.address));
        if (which == List::Addresses) view.SetItemText(row, 1, Dotted(entry.second));
        if (which == List::Gateways) view.SetItemText(row, 1, std::to_wstring(entry.second));
    }
    if (selected < additionediting::Count(additions_, which)) {
        const int row = static_cast<int>(selected);
        view.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        view.EnsureVisible(row, false);
    }
    SetButtons(list);
}

void CProfileWizardPageTcpAdvanced::ShowEntry(int list) {
    const ListControls& c = kLists[list];
    const std::size_t index = Selected(list);
    if (index == kNewEntry) return;
    const additionediting::Entry entry = additionediting::EntryAt(additions_, c.list, index);
    pagecontrols::SetAddress(m_hWnd, c.addressId, entry.address);
    if (c.list == List::Addresses) pagecontrols::SetAddress(m_hWnd, c.secondId, entry.second);
    if (c.list == List::Gateways) metric_.SetWindowText(std::to_wstring(entry.second));
}

bool CProfileWizardPageTcpAdvanced::Applies(int list) const {
    return kLists[list].list == List::DnsServers ? page_.dnsMode == 1 : page_.ipMode == 1;
}

void CProfileWizardPageTcpAdvanced::SetButtons(int list) {
    const ListControls& c = kLists[list];
    const bool on = Applies(list);
    const std::size_t count = additionediting::Count(additions_, c.list);
    const std::size_t selected = Selected(list);
    const bool chosen = selected != kNewEntry;
    for (int id : {c.listId, c.addressId, c.secondId})
        if (id != 0) Enable(m_hWnd, id, on);
    Enable(m_hWnd, c.addId, on && count < additionediting::Limit(c.list));
    Enable(m_hWnd, c.changeId, on && chosen);
    Enable(m_hWnd, c.removeId, on && chosen);
    Enable(m_hWnd, c.upId, on && chosen && selected > 0);
    Enable(m_hWnd, c.downId, on && chosen && selected + 1 < count);
}

std::size_t CProfileWizardPageTcpAdvanced::Selected(int list) const {
    const int row = lists_[list].GetNextItem(-1, LVNI_SELECTED);
    return row >= 0 ? static_cast<std::size_t>(row) : kNewEntry;
}

additionediting::EntryInput CProfileWizardPageTcpAdvanced::ReadEntry(int list) const {
    const ListControls& c = kLists[list];
    additionediting::EntryInput in;
    in.address = pagecontrols::ReadAddress(m_hWnd, c.addressId);
    if (c.list == List::Addresses) in.mask = pagecontrols::ReadAddress(m_hWnd, c.secondId);
    if (c.list == List::Gateways) in.metric = T(metric_.GetWindowText());
    return in;
}

void CProfileWizardPageTcpAdvanced::PlaceEntry(int list, std::size_t index) {
    const List which = kLists[list].list;
    const std::size_t at = index == kNewEntry ? additionediting::Count(additions_, which) : index;
    const AdditionCheck check = additionediting::Place(page_, additions_, which, index, ReadEntry(list));
    if (check.Passed()) ShowList(list, at);
    else Refuse(check, list, at);
}

void CProfileWizardPageTcpAdvanced::Remove(int list) {
    const std::size_t index = Selected(list);
    if (!additionediting::Remove(additions_, kLists[list].list, index)) return;
    const std::size_t count = additionediting::Count(additions_, kLists[list].list);
    ShowList(list, index < count ? index : count - 1);
}

void CProfileWizardPageTcpAdvanced::Move(int list, int step) {
    const std::size_t index = Selected(list);
    if (index != kNewEntry) ShowList(list, additionediting::Move(additions_, kLists[list].list, index, step));
}

void CProfileWizardPageTcpAdvanced::Refuse(const AdditionCheck& check, int placingList, std::size_t placingIndex) {
    const int list = ListOf(check.part);
    if (list >= 0 && !(list == placingList && check.index == placingIndex)) ShowList(list, check.index);
    const int field = FieldOf(check.part);
    wizardpage::ReportCheckFailure(m_hWnd, static_cast<UINT>(check.messageId), field != 0 ? GetDlgItem(field) : nullptr);
}

bool CProfileWizardPageTcpAdvanced::OnCommand(WPARAM wParam, LPARAM lParam) {
    for (int list = 0; list < kListCount; ++list) {
        const ListControls& c = kLists[list];
        if (pagecontrols::IsClickOn(wParam, c.addId)) PlaceEntry(list, kNewEntry);
        else if (pagecontrols::IsClickOn(wParam, c.changeId)) PlaceEntry(list, Selected(list));
        else if (pagecontrols::IsClickOn(wParam, c.removeId)) Remove(list);
        else if (pagecontrols::IsClickOn(wParam, c.upId)) Move(list, -1);
        else if (pagecontrols::IsClickOn(wParam, c.downId)) Move(list, +1);
        else continue;
        return true;
    }
    return CDialog::OnCommand(wParam, lParam);
}

bool CProfileWizardPageTcpAdvanced::OnNotify(WPARAM wParam, NMHDR* header, LRESULT* result) {
    for (int list = 0; list < kListCount; ++list) {
        if (header->idFrom != static_cast<UINT_PTR>(kLists[list].listId) || header->code != LVN_ITEMCHANGED) continue;
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
        if ((change->uChanged & LVIF_STATE) && ((change->uNewState ^ change->uOldState) & LVIS_SELECTED)) {
            if (change->uNewState & LVIS_SELECTED) ShowEntry(list);
            SetButtons(list);
        }
        *result = 0;
        return true;
    }
    return CDialog::OnNotify(wParam, header, result);
}

bool CProfileWizardPageTcpAdvanced::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_DESTROY) DetachLists();
    return CDialog::OnMessage(message, wParam, lParam, result);
}

void CProfileWizardPageTcpAdvanced::OnOK() {
    additions_.dnsSuffix = T(suffix_.GetWindowText());
    const AdditionCheck check = additionrules::CheckAdditions(page_, additions_);
    if (!check.Passed()) {
        Refuse(check, -1, kNewEntry);
        return;
    }
    context_.editRecord.Extension() = additions_;
    EndDialog(IDOK);
}

void CProfileWizardPageTcpAdvanced::DetachLists() {
    for (CListCtrl& view : lists_)
        if (view.m_hWnd != nullptr) view.Detach();
}
