// The main dialog's profile list and its changes: filling, describing,
// adding and editing through the wizard, deleting, reloading, writing.
#include "app/win/OrtivoMessage.h"
#include "app/win/Tolvik_NetworkApp.h"
#include "framework/win/ResourceString.h"
#include "framework/win/WideText.h"
#include "profile/ProfileDescription.h"
#include "mainwindow/win/DialogTexts.h"
#include "mainwindow/win/Tolvik_NetworkDlg.h"
#include "profile/win/ProfileFileAccess.h"
#include "resources/resource.h"
#include "wizard/win/ProfileWizard.h"

#include <utility>

namespace {

constexpr int kRowHeight = 36;
constexpr wchar_t kWizardCaption[] = L"ProfileWizard";

}  // namespace

std::wstring FormatMessageText(UINT id, const std::wstring& value) {
    return W(text::FillTokens(T(LoadResString(id)), {T(value)}));
}

void CTolvik_NetworkDlg::FillProfileList(bool firstTime) {
    // The list lays itself out and paints once, at the end; row by row (and
    // for its image list and column) it would do so at every step.
    profileList_.SetRedraw(false);
    if (firstTime) {
        RECT client;
        profileList_.GetClientRect(&client);
        rowHeightImages_ = ImageList_Create(1, kRowHeight, ILC_MASK, 1, 1);
        if (rowHeightImages_ != nullptr) {
            ImageList_AddIcon(rowHeightImages_,
                              ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_ROW_HEIGHT)));
            // From here on the list owns the image list.
            profileList_.SetImageList(rowHeightImages_, LVSIL_SMALL);
        }
        wchar_t title[] = L"Profile";
        LVCOLUMNW column = {};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = LVCFMT_LEFT;
        column.cx = client.right - client.left;
        column.pszText = title;
        profileList_.InsertColumn(0, column);
    }
    CProfileData profile;
    for (int i = 0; i < app_.profiles.Count(); ++i) {
        if (app_.profiles.GetByPosition(i, &profile) != 0) continue;
        if (profileList_.InsertItem(i, W(profile.GetText(ProfileText::profileName)), profile.Record().profileId) == -1)
            break;
    }
    profileList_.SetRedraw(true);
    profileList_.Invalidate();
}

void CTolvik_NetworkDlg::AppendRow(const CProfileData& profile) {
    profileList_.InsertItem(profileList_.GetItemCount(), W(profile.GetText(ProfileText::profileName)),
                            profile.Record().profileId);
}

int CTolvik_NetworkDlg::SelectedRow() const { return profileList_.GetNextItem(-1, LVNI_SELECTED); }

int32_t CTolvik_NetworkDlg::SelectedProfileId() const {
    return static_cast<int32_t>(profileList_.GetItemData(SelectedRow()));
}

int CTolvik_NetworkDlg::RowOfProfile(int32_t profileId) const {
    for (int row = 0; row < profileList_.GetItemCount(); ++row)
        if (static_cast<int32_t>(profileList_.GetItemData(row)) == profileId) return row;
    return -1;
}

int CTolvik_NetworkDlg::ShowProfileDescription(int row) {
    CProfileData profile;
    if (row == -1 || app_.profiles.FindById(static_cast<int32_t>(profileList_.GetItemData(row)), &profile) != 0) {
        description_.SetWindowText(L"");
        return 0;
    }
    const std::wstring inForce = profile.Record().profileId == inForceId_ ? LoadResString(IDS_IN_FORCE_LINE) : L"";
    description_.SetWindowText(inForce + W(ComposeProfileDescription(profile, app_.ieMajorVersion)));
    return 0;
}

bool CTolvik_NetworkDlg::RunWizard() {
    const ProfileWizardContext context{app_.editRecord, app_.profiles, app_.ieMajorVersion};
    CProfileWizard wizard(kWizardCaption, context, this);
    wizard.SetupPages();
    return wizard.DoModal() == 1;
}

void CTolvik_NetworkDlg::OnAdd() {
    if (app_.profiles.Count() >= CProfileCollection::kMaxProfiles) {
        ShowOrtivoText(m_hWnd,
                       FormatMessageText(IDS_TOO_MANY_PROFILES, std::to_wstring(CProfileCollection::kMaxProfiles)),
                       MB_ICONERROR);
    } else if (!RefreshJumpList(false, false)) {
        ShowError(IDS_WRITE_FAILED);
    } else {
        app_.editRecord.Reset();
        if (RunWizard()) StoreAddedProfile();
    }
    RestoreJumpListAfterChange();
    WatchNetwork();
}

void CTolvik_NetworkDlg::StoreAddedProfile() {
    const int profileId = app_.profiles.Add(app_.editRecord);
    if (profileId <= 0) {
        ShowError(IDS_ADD_FAILED);
        return;
    }
    app_.editRecord.Record().profileId = profileId;
    AppendRow(app_.editRecord);
    app_.editRecord.Reset();
    WriteDataFile();
}

void CTolvik_NetworkDlg::OnEdit() {
    if (SelectedRow() != -1) {
        if (!RefreshJumpList(false, false)) {
            ShowError(IDS_WRITE_FAILED);
        } else {
            app_.editRecord.Reset();
            app_.profiles.FindById(SelectedProfileId(), &app_.editRecord);
            if (RunWizard()) StoreEditedProfile();
        }
    }
    RestoreJumpListAfterChange();
    WatchNetwork();
}

void CTolvik_NetworkDlg::StoreEditedProfile() {
    const int profileId = app_.profiles.Edit(app_.editRecord);
    if (profileId <= 0) {
        ShowError(IDS_EDIT_FAILED);
        return;
    }
    app_.editRecord.Record().profileId = profileId;
    const int row = RowOfProfile(profileId);
    if (row != -1) {
        profileList_.SetItemText(row, 0, W(app_.editRecord.GetText(ProfileText::profileName)));
        profileList_.Update(row);
    }
    app_.editRecord.Reset();
    WriteDataFile();
}

void CTolvik_NetworkDlg::OnDelete() {
    if (SelectedRow() == -1) return;
    CProfileData profile;
    app_.profiles.FindById(SelectedProfileId(), &profile);
    const std::wstring question =
        FormatMessageText(IDS_DELETE_QUESTION, W(profile.GetText(ProfileText::profileName)));
    if (ShowOrtivoText(m_hWnd, question, MB_ICONQUESTION | MB_YESNO) != IDYES) return;
    if (app_.profiles.Remove(profile) <= 0) {
        ShowError(IDS_DELETE_FAILED);
        return;
    }
    if (WriteDataFile() != 0) return;  // the list keeps its rows
    ReloadProfiles();
    ShowProfileDescription(SelectedRow());
    // The reload selects nothing and sends no change notification.
    RefreshButtons();
    RestoreJumpListAfterChange();
}

int CTolvik_NetworkDlg::WriteDataFile() {
    const int result = CProfileFileAccess(app_.profiles, app_.programFolder).Write();
    if (result == -2) ShowError(IDS_DISK_FULL);
    else if (result != 0) ShowError(IDS_WRITE_FAILED);
    return result;
}

void CTolvik_NetworkDlg::RestoreJumpListAfterChange() {
    if (!RefreshJumpList(true, false)) ShowError(IDS_WRITE_FAILED);
}

int CTolvik_NetworkDlg::ReloadProfiles() {
    // The file is read into a fresh collection, which takes over only when
    // the read succeeds. A file that cannot be read at this moment (another
    // program holding the one just written, say) leaves the collection that
    // was just written, which is what the file holds.
    CProfileCollection reloaded = app_.profiles.EmptyContinuation();
    if (CProfileFileAccess(reloaded, app_.programFolder).Read() == 0) app_.profiles = std::move(reloaded);
    profileList_.DeleteAllItems();
    FillProfileList(false);
    inForceId_ = 0;  // marked again at the next look
    WatchNetwork();
    return 0;
}
