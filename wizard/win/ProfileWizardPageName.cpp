#include "wizard/win/ProfileWizardPageName.h"

#include "controls/win/CustomIconListCtrl.h"
#include "framework/win/WideText.h"
#include "resources/resource.h"
#include "wizard/NamePageRules.h"

namespace {

constexpr int kPageIndex = 0;
constexpr int kIconSize = 32;
constexpr int kImageListGrowth = 22;

}  // namespace

CProfileWizardPageName::CProfileWizardPageName(const ProfileWizardContext& context)
    : CProfileWizardPage(kPageIndex, context) {}

CProfileWizardPageName::~CProfileWizardPageName() { DestroyIconList(); }

BOOL CProfileWizardPageName::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    nameEdit_.Attach(GetDlgItem(IDC_NAME_EDIT));
    nameEdit_.SetLimitText(static_cast<UINT>(namepage::kNameLimit));
    iconList_ = std::make_unique<CCustomIconListCtrl>();
    if (iconList_->SubclassDlgItem(IDC_NAME_ICON_LIST, this)) {
        iconList_->ShowWindow(SW_SHOW);
        ::UpdateWindow(iconList_->m_hWnd);
        ::ShowScrollBar(iconList_->m_hWnd, SB_VERT, FALSE);
        FillIcons();
    }
    return TRUE;
}

void CProfileWizardPageName::FillIcons() {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    iconImages_.Reset(ImageList_Create(kIconSize, kIconSize, ILC_MASK, kImageListGrowth, kImageListGrowth));
    for (int i = 0; i < namepage::kIconCount; ++i) {
        if (iconImages_.Valid()) {
            const HICON icon = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_PROFILE_FIRST + i),
                                                               IMAGE_ICON, kIconSize, kIconSize, LR_SHARED));
            ImageList_AddIcon(iconImages_.Get(), icon);
        }
    }
    if (iconImages_.Valid()) iconList_->SetImageList(iconImages_.Get(), FALSE);
    for (int i = 0; i < namepage::kIconCount; ++i) {
        LVITEMW item = {};
        item.mask = LVIF_IMAGE | LVIF_PARAM;
        item.iItem = i;
        item.iImage = i;
        item.lParam = i;
        iconList_->InsertIconItem(&item);
    }
}

void CProfileWizardPageName::SetPageButtons(HWND wizard) {
    wizardpage::DisableBack(wizard);
    wizardpage::SetTitle(wizard);
}

void CProfileWizardPageName::ShowRecord() {
    nameEdit_.SetWindowText(W(context_.editRecord.GetText(ProfileText::profileName)));
    SelectIcon(namepage::InitialIcon(context_.editRecord.Record().iconIndex));
}

void CProfileWizardPageName::SelectIcon(int icon) {
    if (!iconList_ || iconList_->m_hWnd == nullptr) return;
    iconList_->SetIconItemState(icon, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    iconList_->EnsureIconVisible(icon);
    ::InvalidateRect(iconList_->m_hWnd, nullptr, TRUE);
}

LRESULT CProfileWizardPageName::OnWizardNext() {
    const Text name = T(nameEdit_.GetWindowText());
    const int icon = iconList_ && iconList_->m_hWnd ? iconList_->GetSelectedIconData() : -1;
    CProfileData& record = context_.editRecord;
    const namepage::NameCheck check =
        namepage::CheckNamePage(name, icon, context_.profiles, record.Record().profileId);
    if (check != namepage::NameCheck::Passed) {
        const HWND focus = check == namepage::NameCheck::NoIcon ? GetDlgItem(IDC_NAME_ICON_LIST) : nameEdit_.m_hWnd;
        wizardpage::ReportCheckFailure(m_hWnd, static_cast<UINT>(namepage::NameCheckMessage(check)), focus);
        return -1;
    }
    record.SetText(ProfileText::profileName, name);
    record.Record().iconIndex = icon;
    return 0;
}

bool CProfileWizardPageName::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_DESTROY) DestroyIconList();
    return CPropertyPage::OnMessage(message, wParam, lParam, result);
}

void CProfileWizardPageName::DestroyIconList() {
    if (iconList_ && iconList_->m_hWnd != nullptr) iconList_->UnsubclassWindow();
    iconList_.reset();
    if (nameEdit_.m_hWnd != nullptr) nameEdit_.Detach();
    iconImages_.Reset();
}
