// The main dialog's side of a switch: starting it, the progress window,
// the result messages, and run requests from a second start.
#include <vector>

#include "app/win/OrtivoMessage.h"
#include "app/win/Tolvik_NetworkApp.h"
#include "framework/win/ResourceString.h"
#include "framework/win/WideText.h"
#include "mainwindow/ProfileNumber.h"
#include "mainwindow/win/Tolvik_NetworkDlg.h"
#include "resources/resource.h"
#include "switching/ResultMessages.h"

namespace {

constexpr wchar_t kSwitchingCaption[] = L"Ortivo (ネットワーク設定中)";

UINT IconFlag(ResultIcon icon) { return icon == ResultIcon::Information ? MB_ICONINFORMATION : MB_ICONERROR; }

}  // namespace

void CTolvik_NetworkDlg::OnApply() {
    if (SelectedRow() != -1) StartSwitch(SelectedProfileId());
}

int CTolvik_NetworkDlg::StartSwitch(int32_t profileId) {
    if (switchInProgress_) return 0;
    switchInProgress_ = true;
    RefreshButtons();
    CProfileData profile;
    if (app_.profiles.FindById(profileId, &profile) != 0) {
        switchInProgress_ = false;
        RefreshButtons();
        return -1;
    }
    currentProfileName_ = W(profile.GetText(ProfileText::profileName));
    if (IsProgressDialogOn()) ShowProgressDialog();
    SetWindowText(kSwitchingCaption);
    // 1: the previous worker had not ended; no switch runs, so nothing would
    // ever clear the flag: treated as not started.
    if (switch_.Start(m_hWnd, profile, !switchByItself_ || userAgreed_) != 0) {
        EndSwitch();
        if (IsProgressDialogOn()) HideProgressDialog();
        return -1;
    }
    NoteSwitchStarted(profile);
    return 0;
}

void CTolvik_NetworkDlg::ShowProgressDialog() {
    if (!progressDialog_.CreateIfNeeded()) return;
    progressDialog_.CenterWindow();
    progressDialog_.SetProfile(currentProfileName_);
    progressDialog_.ShowWindow(SW_SHOW);
}

void CTolvik_NetworkDlg::HideProgressDialog() {
    if (progressDialog_.m_hWnd != nullptr) progressDialog_.ShowWindow(SW_HIDE);
}

void CTolvik_NetworkDlg::OnSwitchResult(uint32_t resultWord) {
    if (IsProgressDialogOn()) HideProgressDialog();
    for (const ResultMessage& message : ComposeResultMessages(resultWord)) {
        std::vector<Text> lines;
        for (int id : message.lineIds) lines.push_back(T(LoadResString(static_cast<UINT>(id))));
        ShowOrtivoText(m_hWnd, W(JoinMessageLines(lines)), IconFlag(message.icon));
    }
    if (startupRequest_) ExitApplication(true);
    EndSwitch();
}

void CTolvik_NetworkDlg::EndSwitch() {
    switchInProgress_ = false;
    NoteSwitchEnded();
    RefreshButtons();
    SetWindowText(kProductCaption);
}

LRESULT CTolvik_NetworkDlg::OnRunProfile(WPARAM number) {
    const int n = static_cast<int>(number);
    if (n < 1) return 0;
    // The number is the profile's position, as in the published tasks.
    const int32_t profileId = ProfileIdAtNumber(app_.profiles, n);
    const int result = StartSwitch(profileId);
    const int row = RowOfProfile(profileId);
    if (row != -1) {
        profileList_.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        profileList_.EnsureVisible(row, false);
    }
    return result;
}
