#pragma once
// The second wizard page: the network connection the profile configures,
// chosen from the computer's present adapters. A new profile also takes the
// current TCP/IP, proxy and default-printer settings when the user moves on.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/win/ListCtrl.h"
#include "wizard/win/ProfileWizardPage.h"

class CProfileWizardPageAdapter : public CProfileWizardPage {
public:
    explicit CProfileWizardPageAdapter(const ProfileWizardContext& context);
    ~CProfileWizardPageAdapter() override;

    BOOL OnInitDialog() override;
    LRESULT OnWizardNext() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    // What a list row stands for; the page owns one per row.
    struct AdapterEntry {
        std::wstring description;
        std::wstring connectionName;
        std::wstring macText;
    };

    void AddColumns();
    void FillList();
    // Selects the row of the profile's adapter, else the first.
    void ShowRecord() override;
    // The first selected row, or -1.
    int SelectedRow() const;
    const AdapterEntry* EntryOf(int row) const;
    void StoreConnection(const std::wstring& connectionName, const std::wstring& description);
    // Back: the selected row's connection, or none.
    void Store() override;
    void FillFromCurrentSettings();
    void DetachList();

    CListCtrl list_;
    std::vector<std::unique_ptr<AdapterEntry>> entries_;
};
