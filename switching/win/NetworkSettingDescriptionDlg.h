#pragma once
#include "framework/win/Dialog.h"
#include "framework/win/UniqueHandle.h"
#include "resources/resource.h"

#include <string>

// The small modeless window shown while a switch runs: a fixed line, the
// profile line ("プロファイル：%s") and a progress bar 0..100, on a light
// blue background. Enter, Esc and F1 never reach the dialog manager, so the
// window cannot be closed from the keyboard; the main dialog hides it.
class CNetworkSettingDescriptionDlg : public CDialog {
public:
    static constexpr COLORREF kBackground = RGB(210, 227, 238);

    CNetworkSettingDescriptionDlg();
    ~CNetworkSettingDescriptionDlg() override;

    // Creates the window (template 187, no parent) unless it exists.
    bool CreateIfNeeded();
    void SetProfile(const std::wstring& name);
    void SetPosition(int percent);
    const std::wstring& ProfileLine() const { return profileLine_; }

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT message) override;

private:
    HWND ProgressBar() const { return GetDlgItem(IDC_PROGRESS_BAR); }

    CGdiObject<HBRUSH> backgroundBrush_;
    std::wstring profileLine_;
};
