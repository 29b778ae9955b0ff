#pragma once
// The wizard's proxy page: leave the Internet Explorer proxy alone, turn it
// off, or set the profile's own proxy, whose details the "詳細設定" button
// edits in the proxy detail dialog and a read-only summary shows. Next is
// enabled only while the chosen settings are complete.
#include <windows.h>

#include "wizard/win/ProfileWizardPage.h"

class CProfileWizardPageProxy : public CProfileWizardPage {
public:
    explicit CProfileWizardPageProxy(const ProfileWizardContext& context);

    bool OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void ShowRecord() override;
    void SelectMode(uint8_t proxyMode);
    // "プロキシの設定を変更しない" or "プロキシを利用しない": Next enabled,
    // neither the button nor the summary.
    void LeaveDetailsAside();
    // "プロキシを利用する": the button enabled; with complete stored details
    // the summary and Next, otherwise neither.
    void UseStoredDetails();
    void EditDetails();
    void Store() override;

};
