#include "wizard/win/ProfileWizardPageAdapter.h"

#include <commctrl.h>

#include "framework/win/ResourceString.h"
#include "framework/win/WideText.h"
#include "resources/resource.h"
#include "system/win/AdapterDiscovery.h"
#include "wizard/AdapterPageRules.h"
#include "wizard/win/CurrentSettings.h"
#include "wizard/win/PageControls.h"

namespace {

constexpr int kPageIndex = 1;
constexpr int kConnectionColumnWidth = 150;
constexpr DWORD kListStyles = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT;

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
