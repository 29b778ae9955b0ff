#pragma once
// The third wizard page: fixed address or DHCP, and DNS servers set by hand
// or obtained automatically. Next checks the values before they are stored.
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
    void SetAddress(int id, uint32_t value);
    tcppage::AddressField ReadAddress(int id) const;
    tcppage::TcpInput ReadControls() const;

};
