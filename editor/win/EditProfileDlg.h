#pragma once
// The bulk-edit tool's window (dialog 400, "Relabrin"): the profiles of the
// data file in file order (icon, name, connection, address), moved up and
// down, copied, renamed, deleted, exported and imported in memory; "保存"
// writes the data file, closing with unsaved changes asks first.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "editor/ProfileEditList.h"
#include "framework/win/Dialog.h"
#include "framework/win/ListCtrl.h"
#include "framework/win/UniqueHandle.h"

class CEditProfileDlg : public CDialog {
public:
    CEditProfileDlg(CProfileEditList& list, std::wstring programFolder, int32_t ieMajorVersion);

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    bool OnNotify(WPARAM wParam, NMHDR* header, LRESULT* result) override;
    void OnOK() override {}  // Enter closes nothing; "閉じる" is the cancel button
    void OnCancel() override;

private:
    // The list control.
    void SetUpList();
    // Refills the rows from the list being edited and selects `selected`.
    void FillList(const std::vector<int>& selected);
    std::vector<int> SelectedRows() const;
    void RefreshButtons();

    // Handlers.
    void OnMove(bool up);
    void OnCopy();
    void OnRename();
    void OnDelete();
    void OnExport(bool selectedOnly);
    void OnImport();
    // True when the list is in the data file afterwards.
    bool OnSave();

    void ShowError(const std::wstring& text);
    int Ask(const std::wstring& text, UINT buttons);

    CProfileEditList& list_;
    std::wstring programFolder_;
    int32_t ieMajorVersion_;
    CListCtrl rows_;
    CIcon icon_;
};
