#include "tests/wine/gui/ControlsTestDialog.h"

#include <commctrl.h>

#include "controls/win/DPIMgr.h"
#include "framework/win/WideText.h"
#include "resources/resource.h"

ControlsTestDialog::ControlsTestDialog(const CProfileCollection& profiles)
    : CDialog(950), profileList(profiles), profiles_(profiles) {}

ControlsTestDialog::~ControlsTestDialog() {
    if (iconImages_) ImageList_Destroy(iconImages_);
    if (rowHeightImages_) ImageList_Destroy(rowHeightImages_);
    if (listFont_) DeleteObject(listFont_);
}

BOOL ControlsTestDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    port.SubclassDlgItem(IDC_CONTROLS_PORT, this);
    port.SetFilterMode(1, false);
    server.SubclassDlgItem(IDC_CONTROLS_SERVER, this);
    server.SetFilterMode(2, false);
    drop.SubclassDlgItem(IDC_CONTROLS_DROP, this);
    icons = std::make_unique<CCustomIconListCtrl>();
    icons->SubclassDlgItem(IDC_CONTROLS_ICONS, this);
    ::ShowScrollBar(icons->m_hWnd, SB_VERT, FALSE);
    FillIcons();
    profileList.SubclassDlgItem(IDC_CONTROLS_PROFILES, this);
    FillProfiles();
    return TRUE;
}

void ControlsTestDialog::FillIcons() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    iconImages_ = ImageList_Create(32, 32, ILC_MASK | ILC_COLOR32, 22, 22);
    for (int i = 0; i < 6; ++i)
        ImageList_AddIcon(iconImages_, LoadIconW(instance, MAKEINTRESOURCEW(IDI_PROFILE_FIRST + i)));
    icons->SetImageList(iconImages_, FALSE);
    for (int i = 0; i < 6; ++i) {
        LVITEMW item = {};
        item.mask = LVIF_IMAGE | LVIF_PARAM;
        item.iItem = i;
        item.iImage = i;
        item.lParam = i;
        icons->InsertIconItem(&item);
    }
}

void ControlsTestDialog::FillProfiles() {
    rowHeightImages_ = ImageList_Create(1, 36, ILC_MASK, 1, 1);
    ImageList_AddIcon(rowHeightImages_, LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_ROW_HEIGHT)));
    profileList.SetImageList(rowHeightImages_, LVSIL_SMALL);
    RECT client;
    profileList.GetClientRect(&client);
    LVCOLUMNW column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = client.right;
    column.pszText = const_cast<wchar_t*>(L"Profile");
    profileList.InsertColumn(0, column);
    int row = 0;
    for (int i = 0; i < profiles_.Count(); ++i) {
        CProfileData profile;
        if (profiles_.GetByPosition(i, &profile) < 0) continue;
        profileList.InsertItem(row, W(profile.GetText(ProfileText::profileName)));
        profileList.SetItemData(row++, profile.Record().profileId);
    }
    profileList.InsertItem(row, L"消えたプロファイル");
    profileList.SetItemData(row, kMissingProfileId);
    CDPIMgr dpiMgr;
    listFont_ = CreateFontW(dpiMgr.ScaleYPercent(16), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, L"メイリオ");
    profileList.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(listFont_), TRUE);
}
