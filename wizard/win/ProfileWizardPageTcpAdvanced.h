#pragma once
// The TCP/IP page's advanced dialog, in the manner of Windows' advanced
// TCP/IP settings: the profile's added addresses (with masks), gateways
// (with metrics) and DNS servers, each list with its entry fields, add,
// change, remove, up and down; and the connection's DNS suffix. Addresses
// and gateways take part with a fixed address only, DNS servers when they
// are given by hand; the rest is disabled. Every entry is checked against
// the page's values as typed; a refusal names the entry and puts the focus
// on its field. OK stores the additions into the profile being edited and
// ends with IDOK; Cancel changes nothing.
#include <windows.h>

#include "controls/win/CustomEdit.h"
#include "framework/win/Dialog.h"
#include "framework/win/ListCtrl.h"
#include "wizard/AdditionEditing.h"
#include "wizard/ProfileWizardContext.h"
#include "wizard/TcpPageRules.h"

class CProfileWizardPageTcpAdvanced : public CDialog {
public:
    CProfileWizardPageTcpAdvanced(const ProfileWizardContext& context, const tcppage::TcpValues& page,
                                  CWnd* parent = nullptr);
    ~CProfileWizardPageTcpAdvanced() override;

    BOOL OnInitDialog() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    bool OnNotify(WPARAM wParam, NMHDR* header, LRESULT* result) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnOK() override;

private:
    static constexpr int kListCount = 3;
    using List = additionediting::List;

    void PrepareList(int list);
    // The list's rows from the additions, `selected` selected (none when out of range).
    void ShowList(int list, std::size_t selected);
    // The selected row's entry in the list's fields.
    void ShowEntry(int list);
    void SetButtons(int list);
    std::size_t Selected(int list) const;
    additionediting::EntryInput ReadEntry(int list) const;
    // Add (at kNewEntry) or change the selected entry from the fields.
    void PlaceEntry(int list, std::size_t index);
    void Remove(int list);
    void Move(int list, int step);
    // A refused entry: selected unless it is the one in the fields, named
    // in a message box, its field focused.
    void Refuse(const additionrules::AdditionCheck& check, int placingList, std::size_t placingIndex);
    bool Applies(int list) const;
    void DetachLists();

    const ProfileWizardContext context_;
    const tcppage::TcpValues page_;
    ProfileExtension additions_;
    CListCtrl lists_[kListCount];
    CCustomEdit metric_;
    CCustomEdit suffix_;
};
