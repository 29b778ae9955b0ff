#include "wizard/win/ProfileWizardPagePrinter.h"

#include "framework/win/WideText.h"
#include "resources/resource.h"
#include "wizard/PrinterRules.h"
#include "wizard/win/InstalledPrinters.h"
#include "wizard/win/PageControls.h"

using namespace pagecontrols;

namespace {

constexpr int kPageIndex = 6;
constexpr wchar_t kColumnTitle[] = L"Printer Name";

}  // namespace

CProfileWizardPagePrinter::CProfileWizardPagePrinter(const ProfileWizardContext& context)
    : CProfileWizardPage(kPageIndex, context) {}

BOOL CProfileWizardPagePrinter::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    SetTicked(m_hWnd, IDC_PRINTER_SET, false);
    printers_.Attach(GetDlgItem(IDC_PRINTER_LIST));
    FillList();
    ApplyEnablingRule();
    return TRUE;
}

// Once per wizard: printers installed later show the next time.
void CProfileWizardPagePrinter::FillList() {
    printers_.SetExtendedStyle(printers_.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    RECT client = {};
    printers_.GetClientRect(&client);
    LVCOLUMNW column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    column.fmt = LVCFMT_CENTER;
    column.cx = client.right - client.left;
    column.pszText = const_cast<wchar_t*>(kColumnTitle);
    printers_.InsertColumn(0, column);
    int row = 0;
    for (const std::wstring& name : InstalledPrinters()) printers_.InsertItem(row++, name);
}

void CProfileWizardPagePrinter::ShowRecord() {
    SetTicked(m_hWnd, IDC_PRINTER_SET, context_.editRecord.Record().setDefaultPrinter == 1);
    SelectStoredPrinter();
    ApplyEnablingRule();
}

void CProfileWizardPagePrinter::SelectStoredPrinter() {
    std::vector<Text> rows;
    for (int row = 0; row < printers_.GetItemCount(); ++row) rows.push_back(T(printers_.GetItemText(row, 0)));
    const int stored = printerpage::StoredPrinterRow(rows, context_.editRecord.GetText(ProfileText::printerName));
    printers_.EnableWindow(true);
    if (stored < 0) return;
    printers_.SetItemState(stored, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    printers_.EnsureVisible(stored, false);
}

int CProfileWizardPagePrinter::SelectedRow() const { return printers_.GetNextItem(-1, LVNI_SELECTED); }

void CProfileWizardPagePrinter::ApplyEnablingRule() {
    printers_.EnableWindow(IsTicked(m_hWnd, IDC_PRINTER_SET));
}

bool CProfileWizardPagePrinter::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (!IsClickOn(wParam, IDC_PRINTER_SET)) return CPropertyPage::OnCommand(wParam, lParam);
    ApplyEnablingRule();
    return true;
}

bool CProfileWizardPagePrinter::PassesCheck() {
    return !RefuseNext(m_hWnd, printerpage::CheckPrinterPage(IsTicked(m_hWnd, IDC_PRINTER_SET), SelectedRow()),
                       IDC_PRINTER_SET);
}

// The selection is stored even when the box is cleared.
void CProfileWizardPagePrinter::Store() {
    CProfileData& profile = context_.editRecord;
    profile.Record().setDefaultPrinter = FlagOf(m_hWnd, IDC_PRINTER_SET);
    const int row = SelectedRow();
    profile.SetText(ProfileText::printerName, row < 0 ? Text() : T(printers_.GetItemText(row, 0)));
}

bool CProfileWizardPagePrinter::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_DESTROY && printers_.m_hWnd != nullptr) printers_.Detach();
    return CPropertyPage::OnMessage(message, wParam, lParam, result);
}
