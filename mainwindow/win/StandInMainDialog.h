#pragma once
#include <windows.h>

#include <cstdint>

#include "profile/ProfileCollection.h"
#include "switching/win/NetworkSetting.h"

class CTolvik_NetworkApp;

// A plain main window titled "Ortivo" (dialog class) that lists the loaded
// profiles and carries out switches: it handles the run request (0x8016),
// progress (0x8018), the switch result (0x8011) and the applier's
// notification (0x8100). It stands in until the full main dialog exists.
class CStandInMainDialog {
public:
    explicit CStandInMainDialog(CTolvik_NetworkApp& app);
    CStandInMainDialog(const CStandInMainDialog&) = delete;
    CStandInMainDialog& operator=(const CStandInMainDialog&) = delete;

    // The profile requested at start-up (1-based position, 1..12); other
    // numbers are ignored. The dialog applies it and closes afterwards.
    void SetStartupProfile(int number);
    // Runs the dialog modally; returns how it ended (IDOK, IDCANCEL).
    INT_PTR DoModal();

    // Starts a switch to the profile with this identifier: 0 started or
    // ignored because a switch runs, -1 not started.
    int StartSwitch(int32_t profileId);

    static constexpr int kProfileListId = 1002;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void OnInitDialog();
    LRESULT OnRunProfile(WPARAM number);
    LRESULT OnSwitchResult(WPARAM resultWord);
    void EndSwitch();

    CTolvik_NetworkApp& app_;
    CNetworkSetting switch_;
    HWND window_ = nullptr;
    bool switchInProgress_ = false;
    int startupProfile_ = -1;
    bool startupRequest_ = false;
    int lastProgress_ = -1;
};
