#pragma once
// The main dialog: the profile list and the selected profile's description,
// adding and editing through the wizard, deleting, applying a profile (the
// switch with its progress window and result messages), the jump list kept
// in step and the data file written after every change and at exit. Managed
// profiles (the application object's `managed`) are applied only: no
// adding, editing or deleting, and no write at exit.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>

#include "controls/win/CustomProfileListCtrl.h"
#include "framework/win/Dialog.h"
#include "framework/win/Edit.h"
#include "framework/win/UniqueHandle.h"
#include "switching/win/NetworkSetting.h"
#include "switching/win/NetworkSettingDescriptionDlg.h"

class CTolvik_NetworkApp;

class CTolvik_NetworkDlg : public CDialog {
public:
    explicit CTolvik_NetworkDlg(CTolvik_NetworkApp& app, CWnd* parent = nullptr);
    ~CTolvik_NetworkDlg() override;

    // The profile requested at start-up (1-based position, 1..12; other
    // numbers change nothing): applied when the window is shown, after which
    // the program closes.
    void SetStartupProfile(int number);
    // The progress-window option ("ShowSetting" is 1).
    bool IsProgressDialogOn() const;
    // Stores the option and mirrors it in the system menu's check mark;
    // nothing is stored without a system menu.
    void SetProgressDialogOption(bool on);

    void FillProfileList(bool firstTime);
    int ShowProfileDescription(int row);
    void RefreshButtons();
    bool RefreshJumpList(bool withProfiles, bool withEditTool);
    // 0 started (or ignored while a switch runs), -1 not started.
    int StartSwitch(int32_t profileId);
    void OnSwitchResult(uint32_t resultWord);
    int ReloadProfiles();
    void ExitApplication(bool quiet);

    bool SwitchInProgress() const { return switchInProgress_; }

protected:
    BOOL OnInitDialog() override;
    void PreSubclassWindow() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    bool OnNotify(WPARAM wParam, NMHDR* header, LRESULT* result) override;
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT message) override;

private:
    // Handlers.
    void OnAdd();
    void OnEdit();
    void OnDelete();
    void OnApply();
    LRESULT OnRunProfile(WPARAM number);
    bool OnSysCommand(WPARAM command);
    bool OnTimer(WPARAM timerId);
    void OnAboutBox();
    bool OnSetCursor(LPARAM lParam);
    bool OnPaintIconic();
    void OnShowWindow(WPARAM shown);
    void OnWindowPosChanging(WINDOWPOS* position) const;

    // Pieces of the handlers.
    void BindControls();
    void AddSystemMenuEntries();
    void ShowProgressOptionMark(bool on);
    // The start at logon: its entry's check mark (and whether the user may
    // change it), and the entry's command, which makes or removes the
    // per-user Run value.
    void ShowAutoRunMark();
    void ToggleAutoRun();
    void StartHintTimer();
    // Rebuilds the jump list (without the bulk-edit task); on failure tells
    // the user and ends the dialog (false).
    bool RefreshJumpListOrEnd(bool withProfiles);
    // The line that says the administrator manages the profiles.
    void ShowManagedLine();
    void ApplyAutoRunSetting();
    bool CreateListFont();
    void AppendRow(const CProfileData& profile);
    int SelectedRow() const;
    int RowOfProfile(int32_t profileId) const;
    int32_t SelectedProfileId() const;
    // Runs the wizard over editRecord; true when it ended with 1.
    bool RunWizard();
    void StoreAddedProfile();
    void StoreEditedProfile();
    // Writes the data file; tells the user when that fails. The write's result.
    int WriteDataFile();
    void RestoreJumpListAfterChange();
    void ShowProgressDialog();
    void HideProgressDialog();
    void EndSwitch();
    void ShowError(UINT id);

    HICON icon_ = nullptr;
    int showCount_ = 0;
    CTolvik_NetworkApp& app_;
    HIMAGELIST rowHeightImages_ = nullptr;
    CNetworkSetting switch_;
    bool switchInProgress_ = false;
    CNetworkSettingDescriptionDlg progressDialog_;
    CWnd autoRunCheck_;
    CCustomProfileListCtrl profileList_;
    CEdit description_;
    CWnd addButton_, editButton_, deleteButton_, applyButton_;
    int startupProfile_ = -1;
    bool startupRequest_ = false;
    CGdiObject<HFONT> listFont_;
    std::wstring currentProfileName_;
};
