#include "wizard/win/ProfileWizardPageAdapter.h"

#include <commctrl.h>

#include "app/win/OrtivoMessage.h"
#include "framework/win/ResourceString.h"
#include "framework/win/WideText.h"
#include "profile/ProfileDescription.h"
#include "resources/resource.h"
#include "system/win/AdapterDiscovery.h"
#include "wizard/AdapterPageRules.h"
#include "wizard/NetworkPageRules.h"
#include "wizard/win/CurrentSettings.h"
#include "wizard/win/PageControls.h"

namespace {

constexpr int kPageIndex = 1;
constexpr int kConnectionColumnWidth = 150;
constexpr DWORD kListStyles = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT;
using Fallback = ProfileExtension::Fallback;

}  // namespace

CProfileWizardPageAdapter::CProfileWizardPageAdapter(const ProfileWizardContext& context)
    : CProfileWizardPage(kPageIndex, context) {}

CProfileWizardPageAdapter::~CProfileWizardPageAdapter() { DetachList(); }

BOOL CProfileWizardPageAdapter::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    list_.Attach(GetDlgItem(IDC_ADAPTER_LIST));
    list_.SetExtendedStyle(list_.GetExtendedStyle() | kListStyles);
    AddColumns();
    FillList();
    return TRUE;
}

void CProfileWizardPageAdapter::AddColumns() {
    RECT client{};
    list_.GetClientRect(&client);
    const struct {
        UINT title;
        int width;
    } columns[] = {
        {IDS_COLUMN_CONNECTION, kConnectionColumnWidth},
        {IDS_COLUMN_ADAPTER, static_cast<int>(client.right - client.left) - kConnectionColumnWidth},
    };
    for (int i = 0; i < 2; ++i) {
        std::wstring title = LoadResString(columns[i].title);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = &title[0];
        column.cx = columns[i].width;
        column.iSubItem = i;
        list_.InsertColumn(i, column);
    }
}

void CProfileWizardPageAdapter::FillList() {
    for (const AdapterInfo& adapter : ListAdapters()) {
        auto entry = std::make_unique<AdapterEntry>(
            AdapterEntry{adapter.description, GetConnectionName(adapter.guid), adapter.macText});
        const int row = list_.InsertItem(list_.GetItemCount(), entry->connectionName);
        if (row < 0) continue;  // the entry goes with the unique_ptr
        list_.SetItemText(row, 1, entry->description);
        list_.SetItemData(row, reinterpret_cast<LPARAM>(entry.get()));
        entries_.push_back(std::move(entry));
    }
}

void CProfileWizardPageAdapter::ShowRecord() {
    std::vector<Text> descriptions;
    for (int row = 0; row < list_.GetItemCount(); ++row) {
        const AdapterEntry* entry = EntryOf(row);
        descriptions.push_back(entry ? T(entry->description) : Text());
    }
    if (descriptions.empty()) return;
    const int row = static_cast<int>(adapterpage::RowToSelect(
        descriptions, context_.editRecord.GetText(ProfileText::adapterDescription)));
    list_.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    list_.EnsureVisible(row, false);
    const ProfileExtension& e = context_.editRecord.Extension();
    network_ = e.network;
    networkMac_ = W(context_.editRecord.GetText(ProfileText::macAddress));
    pagecontrols::SetTicked(m_hWnd, IDC_ADAPTER_RECORD, !e.network.Empty());
    pagecontrols::SetTicked(m_hWnd, IDC_ADAPTER_AUTOMATIC, e.automatic);
    pagecontrols::SetTicked(m_hWnd, IDC_ADAPTER_NO_DHCP, e.fallback == Fallback::NoDhcp);
    pagecontrols::SetTicked(m_hWnd, IDC_ADAPTER_GATEWAY_LOST, e.fallback == Fallback::GatewayLost);
    ShowNetwork();
}

void CProfileWizardPageAdapter::FindNetwork() {
    const int row = SelectedRow();
    const AdapterEntry* entry = row >= 0 ? EntryOf(row) : nullptr;
    if (!pagecontrols::IsTicked(m_hWnd, IDC_ADAPTER_RECORD) || entry == nullptr || entry->macText == networkMac_) return;
    networkMac_ = entry->macText;
    network_ = FindCurrentNetwork(networkMac_);
}

void CProfileWizardPageAdapter::ShowNetwork() {
    const bool recording = pagecontrols::IsTicked(m_hWnd, IDC_ADAPTER_RECORD);
    std::wstring found;
    if (recording) found = network_.Empty() ? LoadResString(IDS_NETWORK_NOT_FOUND) : W(description::RecordedNetworkLines(network_));
    pagecontrols::SetText(m_hWnd, IDC_ADAPTER_FOUND, found);
    const bool automatic = recording && !network_.Empty();
    if (!automatic) pagecontrols::SetTicked(m_hWnd, IDC_ADAPTER_AUTOMATIC, false);
    pagecontrols::Enable(m_hWnd, IDC_ADAPTER_AUTOMATIC, automatic);
}

void CProfileWizardPageAdapter::StoreNetwork() {
    ProfileExtension& e = context_.editRecord.Extension();
    e.network = pagecontrols::IsTicked(m_hWnd, IDC_ADAPTER_RECORD) ? network_ : RecordedNetwork();
    e.automatic = pagecontrols::IsTicked(m_hWnd, IDC_ADAPTER_AUTOMATIC) && !e.network.Empty();
    e.fallback = pagecontrols::IsTicked(m_hWnd, IDC_ADAPTER_NO_DHCP)        ? Fallback::NoDhcp
                 : pagecontrols::IsTicked(m_hWnd, IDC_ADAPTER_GATEWAY_LOST) ? Fallback::GatewayLost
                                                                            : Fallback::None;
}

bool CProfileWizardPageAdapter::FallbackRefused() {
    const Text other = networkpage::FallbackTakenBy(context_.profiles, context_.editRecord);
    if (other.empty()) return false;
    const int box = context_.editRecord.Extension().fallback == Fallback::NoDhcp ? IDC_ADAPTER_NO_DHCP
                                                                                 : IDC_ADAPTER_GATEWAY_LOST;
    ShowOrtivoText(m_hWnd, W(text::FillTokens(T(LoadResString(IDS_FALLBACK_TAKEN)), {other})), MB_ICONERROR | MB_OK);
    ::SetFocus(GetDlgItem(box));
    return true;
}

bool CProfileWizardPageAdapter::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (pagecontrols::IsClickOn(wParam, IDC_ADAPTER_RECORD)) {
        networkMac_.clear();  // ticked again: looked for anew
        FindNetwork();
        ShowNetwork();
        return true;
    }
    // The two fall-backs exclude each other.
    if (pagecontrols::IsClickOn(wParam, IDC_ADAPTER_NO_DHCP) && pagecontrols::IsTicked(m_hWnd, IDC_ADAPTER_NO_DHCP))
        pagecontrols::SetTicked(m_hWnd, IDC_ADAPTER_GATEWAY_LOST, false);
    if (pagecontrols::IsClickOn(wParam, IDC_ADAPTER_GATEWAY_LOST) &&
        pagecontrols::IsTicked(m_hWnd, IDC_ADAPTER_GATEWAY_LOST))
        pagecontrols::SetTicked(m_hWnd, IDC_ADAPTER_NO_DHCP, false);
    return CPropertyPage::OnCommand(wParam, lParam);
}

bool CProfileWizardPageAdapter::OnNotify(WPARAM wParam, NMHDR* header, LRESULT* result) {
    if (header->idFrom == IDC_ADAPTER_LIST && header->code == LVN_ITEMCHANGED) {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
        if ((change->uChanged & LVIF_STATE) && (change->uNewState & LVIS_SELECTED) && !(change->uOldState & LVIS_SELECTED)) {
            FindNetwork();
            ShowNetwork();
        }
    }
    return CPropertyPage::OnNotify(wParam, header, result);
}

int CProfileWizardPageAdapter::SelectedRow() const { return list_.GetNextItem(-1, LVNI_SELECTED); }

const CProfileWizardPageAdapter::AdapterEntry* CProfileWizardPageAdapter::EntryOf(int row) const {
    return reinterpret_cast<const AdapterEntry*>(list_.GetItemData(row));
}

void CProfileWizardPageAdapter::StoreConnection(const std::wstring& connectionName,
                                                const std::wstring& description) {
    context_.editRecord.SetText(ProfileText::connectionName, T(connectionName));
    context_.editRecord.SetText(ProfileText::adapterDescription, T(description));
}

void CProfileWizardPageAdapter::Store() {
    context_.editRecord.ClearText(ProfileText::connectionName);
    context_.editRecord.ClearText(ProfileText::adapterDescription);
    const int row = SelectedRow();
    if (row >= 0) StoreConnection(list_.GetItemText(row, 0), list_.GetItemText(row, 1));
    StoreNetwork();
}

LRESULT CProfileWizardPageAdapter::OnWizardNext() {
    const int row = SelectedRow();
    if (row < 0) {
        wizardpage::ReportCheckFailure(m_hWnd, IDS_ADAPTER_EMPTY, list_.m_hWnd);
        return -1;
    }
    const AdapterEntry* entry = EntryOf(row);
    if (entry == nullptr) {
        wizardpage::ReportCheckFailure(m_hWnd, IDS_INTERNAL_ERROR, nullptr);
        return -1;
    }
    StoreConnection(entry->connectionName, entry->description);
    context_.editRecord.SetText(ProfileText::macAddress, T(entry->macText));
    StoreNetwork();
    if (FallbackRefused()) return -1;
    if (context_.editRecord.Record().profileId == 0) FillFromCurrentSettings();
    return 0;
}

void CProfileWizardPageAdapter::FillFromCurrentSettings() {
    FillTcpipFromCurrent(context_.editRecord);
    FillProxyFromCurrent(context_.editRecord, context_.ieMajorVersion);
    FillPrinterFromCurrent(context_.editRecord);
}

bool CProfileWizardPageAdapter::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_DESTROY) DetachList();
    return CPropertyPage::OnMessage(message, wParam, lParam, result);
}

void CProfileWizardPageAdapter::DetachList() {
    if (list_.m_hWnd != nullptr) list_.Detach();
}
