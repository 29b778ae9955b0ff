#include "editor/win/EditProfileDlg.h"

#include <algorithm>

#include "controls/win/DPIMgr.h"
#include "editor/EditorResource.h"
#include "editor/win/ProfileFiles.h"
#include "editor/win/RenameProfileDlg.h"
#include "editor/win/ToolMessages.h"
#include "framework/win/WideText.h"
#include "profile/ProfileDescription.h"
#include "resources/resource.h"

namespace {

constexpr int kIconCount = 6;
constexpr int kIconSize = 16;

struct Column {
    UINT title;
    int width;  // at 96 DPI; 0: what the other columns leave of the list's width
};
const Column kColumns[] = {{IDS_TOOL_COLUMN_NAME, 130}, {IDS_TOOL_COLUMN_CONNECTION, 120},
                           {IDS_TOOL_COLUMN_ADDRESS, 0}};

HIMAGELIST ProfileIcons() {
    HIMAGELIST icons = ImageList_Create(kIconSize, kIconSize, ILC_COLOR32 | ILC_MASK, kIconCount, 0);
    for (int i = 0; icons != nullptr && i < kIconCount; ++i) {
        const CIcon icon(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                                       MAKEINTRESOURCEW(IDI_PROFILE_FIRST + i), IMAGE_ICON, kIconSize,
                                                       kIconSize, 0)));
        ImageList_AddIcon(icons, icon.Get());
    }
    return icons;
}

int IconOf(const CProfileData& profile) {
    const int32_t index = profile.Record().iconIndex;
    return index >= 0 && index < kIconCount ? index : 0;
}

}  // namespace

CEditProfileDlg::CEditProfileDlg(CProfileEditList& list, std::wstring programFolder, int32_t ieMajorVersion)
    : CDialog(IDD_EDITOR), list_(list), programFolder_(std::move(programFolder)), ieMajorVersion_(ieMajorVersion) {}

BOOL CEditProfileDlg::OnInitDialog() {
    icon_.Reset(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_EDITOR_ICON),
                                              IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)));
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.Get()));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.Get()));
    SetUpList();
    FillList({0});
    return TRUE;
}

void CEditProfileDlg::SetUpList() {
    rows_.Attach(GetDlgItem(IDC_EDITOR_LIST));
    rows_.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    rows_.SetImageList(ProfileIcons(), LVSIL_SMALL);  // the list destroys it with itself
    RECT client;
    rows_.GetClientRect(&client);
    int left = client.right - client.left - GetSystemMetrics(SM_CXVSCROLL);
    CDPIMgr dpi;
    for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
        std::wstring title = ToolText(kColumns[i].title);
        LVCOLUMNW column = {};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.cx = kColumns[i].width != 0 ? dpi.ScaleX(kColumns[i].width) : left;
        left -= column.cx;
        column.pszText = &title[0];
        column.iSubItem = i;
        rows_.InsertColumn(i, column);
    }
}

void CEditProfileDlg::FillList(const std::vector<int>& selected) {
    rows_.DeleteAllItems();
    CProfileData profile;
    for (int i = 0; list_.Profiles().GetByPosition(i, &profile) == 0; ++i) {
        std::wstring name = W(profile.GetText(ProfileText::profileName));
        LVITEMW item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = i;
        item.pszText = &name[0];
        item.iImage = IconOf(profile);
        const int row = rows_.InsertItem(item);
        rows_.SetItemText(row, 1, W(profile.GetText(ProfileText::connectionName)));
        rows_.SetItemText(row, 2, W(description::AddressSummary(profile)));
    }
    for (int row : selected) {
        if (row < 0 || row >= rows_.GetItemCount()) continue;
        rows_.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        rows_.EnsureVisible(row, false);
    }
    RefreshButtons();
}

std::vector<int> CEditProfileDlg::SelectedRows() const {
    std::vector<int> rows;
    for (int row = rows_.GetNextItem(-1, LVNI_SELECTED); row != -1; row = rows_.GetNextItem(row, LVNI_SELECTED))
        rows.push_back(row);
    return rows;
}

void CEditProfileDlg::RefreshButtons() {
    const std::vector<int> selected = SelectedRows();
    const bool one = selected.size() == 1;
    const int last = rows_.GetItemCount() - 1;
    ::EnableWindow(GetDlgItem(IDC_EDITOR_UP), one && selected[0] > 0);
    ::EnableWindow(GetDlgItem(IDC_EDITOR_DOWN), one && selected[0] < last);
    ::EnableWindow(GetDlgItem(IDC_EDITOR_COPY), one);
    ::EnableWindow(GetDlgItem(IDC_EDITOR_RENAME), one);
    ::EnableWindow(GetDlgItem(IDC_EDITOR_DELETE), !selected.empty());
    ::EnableWindow(GetDlgItem(IDC_EDITOR_EXPORT_SOME), !selected.empty());
    ::EnableWindow(GetDlgItem(IDC_EDITOR_SAVE), list_.Modified());
}

bool CEditProfileDlg::OnCommand(WPARAM wParam, LPARAM) {
    if (HIWORD(wParam) != BN_CLICKED) return false;
    switch (LOWORD(wParam)) {
        case IDC_EDITOR_UP: OnMove(true); break;
        case IDC_EDITOR_DOWN: OnMove(false); break;
        case IDC_EDITOR_COPY: OnCopy(); break;
        case IDC_EDITOR_RENAME: OnRename(); break;
        case IDC_EDITOR_DELETE: OnDelete(); break;
        case IDC_EDITOR_EXPORT_ALL: OnExport(false); break;
        case IDC_EDITOR_EXPORT_SOME: OnExport(true); break;
        case IDC_EDITOR_IMPORT: OnImport(); break;
        case IDC_EDITOR_SAVE: OnSave(); break;
        default: return false;
    }
    return true;
}

bool CEditProfileDlg::OnNotify(WPARAM, NMHDR* header, LRESULT*) {
    if (header->idFrom != IDC_EDITOR_LIST) return false;
    if (header->code == LVN_ITEMCHANGED) RefreshButtons();
    if (header->code == NM_DBLCLK) OnRename();
    return false;
}

void CEditProfileDlg::OnMove(bool up) {
    const std::vector<int> selected = SelectedRows();
    if (selected.size() != 1) return;
    const int moved = up ? list_.MoveUp(selected[0]) : list_.MoveDown(selected[0]);
    if (moved >= 0) FillList({moved});
}

void CEditProfileDlg::OnCopy() {
    const std::vector<int> selected = SelectedRows();
    if (selected.size() != 1) return;
    const int copy = list_.Copy(selected[0], T(ToolText(IDS_TOOL_COPY_SUFFIX)));
    if (copy == -2)
        ShowError(ToolText(IDS_TOO_MANY_PROFILES, {std::to_wstring(CProfileCollection::kMaxProfiles)}));
    else if (copy >= 0)
        FillList({copy});
}

void CEditProfileDlg::OnRename() {
    const std::vector<int> selected = SelectedRows();
    if (selected.size() != 1) return;
    CRenameProfileDlg rename(list_, selected[0], this);
    if (rename.DoModal() == IDOK) FillList(selected);
}

void CEditProfileDlg::OnDelete() {
    const std::vector<int> selected = SelectedRows();
    if (selected.empty()) return;
    CProfileData first;
    list_.Profiles().GetByPosition(selected[0], &first);
    const std::wstring question =
        selected.size() == 1 ? ToolText(IDS_DELETE_QUESTION, {W(first.GetText(ProfileText::profileName))})
                             : ToolText(IDS_TOOL_DELETE_SEVERAL, {std::to_wstring(selected.size())});
    if (Ask(question, MB_ICONQUESTION | MB_YESNO) != IDYES) return;
    list_.Remove(selected);
    FillList({std::min(selected[0], list_.Count() - 1)});
}

bool CEditProfileDlg::OnSave() {
    if (list_.TooManyToSave()) {
        ShowError(ToolText(IDS_TOOL_TOO_MANY_TO_SAVE, {std::to_wstring(CProfileCollection::kMaxProfiles)}));
        return false;
    }
    const int result = SaveDataFile(list_, programFolder_);
    if (result != 0) ShowError(ToolText(SaveFailureMessage(result)));
    RefreshButtons();
    return result == 0;
}

void CEditProfileDlg::OnCancel() {
    if (list_.Modified()) {
        const int answer = Ask(ToolText(IDS_TOOL_SAVE_QUESTION), MB_ICONQUESTION | MB_YESNOCANCEL);
        if (answer == IDCANCEL || (answer == IDYES && !OnSave())) return;
    }
    EndDialog(IDCANCEL);
}

void CEditProfileDlg::ShowError(const std::wstring& text) { ShowToolMessage(m_hWnd, text, MB_ICONERROR); }

int CEditProfileDlg::Ask(const std::wstring& text, UINT buttons) { return ShowToolMessage(m_hWnd, text, buttons); }
