#pragma once
// The second wizard page: the network connection the profile configures,
// chosen from the computer's present adapters. A new profile also takes the
// current TCP/IP, proxy and default-printer settings when the user moves on.
// "このネットワークを記録する" records the network the chosen connection is
// on (shown below it), which applying the profile on joining that network
// needs; the two fall-backs exclude each other, and Next refuses one that
// another profile of the connection has.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/win/ListCtrl.h"
#include "profile/RecordedNetwork.h"
#include "wizard/win/ProfileWizardPage.h"

class CProfileWizardPageAdapter : public CProfileWizardPage {
public:
    explicit CProfileWizardPageAdapter(const ProfileWizardContext& context);
    ~CProfileWizardPageAdapter() override;

    BOOL OnInitDialog() override;
    LRESULT OnWizardNext() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    bool OnNotify(WPARAM wParam, NMHDR* header, LRESULT* result) override;

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
    // The network of the selected row's connection, when it is to be
    // recorded and what is shown belongs to another connection.
    void FindNetwork();
    // What was found, and the automatic box enabled only with it.
    void ShowNetwork();
    // The network, automatic and fall-back as the boxes say.
    void StoreNetwork();
    // Next: a fall-back that another profile of the connection has.
    bool FallbackRefused();
    void DetachList();

    CListCtrl list_;
    std::vector<std::unique_ptr<AdapterEntry>> entries_;
    RecordedNetwork network_;  // found (or recorded) for the connection of networkMac_
    std::wstring networkMac_;
};
