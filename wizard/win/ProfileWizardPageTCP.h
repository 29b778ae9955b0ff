#pragma once
// The third wizard page: fixed address or DHCP, and DNS servers set by hand
// or obtained automatically; "詳細設定(V)..." opens the advanced dialog for
// the profile's additions. Next checks the values, and the additions that
// the modes use against them, before they are stored; the additions the
// modes leave unused go.
#include <windows.h>

#include "wizard/TcpPageRules.h"
#include "wizard/win/ProfileWizardPage.h"

class CProfileWizardPageTCP : public CProfileWizardPage {
public:
    explicit CProfileWizardPageTCP(const ProfileWizardContext& context);

    BOOL OnInitDialog() override;
    LRESULT OnWizardNext() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    bool OnNotify(WPARAM wParam, NMHDR* header, LRESULT* result) override;

private:
    void ShowRecord() override;
    // Back keeps the values as typed.
    void Store() override;
    void LoadControls();
    // A fixed address always has hand-set DNS servers; controls follow the radio buttons.
    void ApplyEnablingRule();
    // The subnet mask suggested by the class of the address typed.
    void FillMaskFromClass();
    // "詳細設定(V)...": the advanced dialog against the values as typed.
    void EditAdditions();
    tcppage::TcpInput ReadControls() const;

};
