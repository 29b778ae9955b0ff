#pragma once
// The proxy detail dialog that the proxy page opens: the automatic
// configuration script, one server and port per protocol (the Gopher row is
// never visible and takes part only with Internet Explorer 6), the same
// proxy for all protocols, the exceptions and the local-address bypass.
// OK checks the fields, writes them into the profile and ends the dialog
// with 1; Cancel writes nothing and ends it with 1 when the fields on the
// screen are complete, 2 otherwise.
#include <windows.h>

#include "controls/win/CustomEdit.h"
#include "framework/win/Dialog.h"
#include "profile/ProfileData.h"
#include "wizard/ProfileWizardContext.h"
#include "wizard/ProxyRules.h"

class CProfileWizardPageProxySetting : public CDialog {
public:
    explicit CProfileWizardPageProxySetting(const ProfileWizardContext& context, CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;
    void OnCancel() override;

private:
    void PrepareEdits();
    void ShowDetails(const proxyrules::ProxyDetails& details);
    proxyrules::ProxyDetails ReadDetails() const;
    // Rows enabled by the same-proxy box; when it is ticked, the HTTP row
    // is copied into Secure, FTP (and Gopher with version 6) and Socks is emptied.
    void ApplySameProxyRule();
    bool UsesGopher() const;
    HWND FocusFor(proxyrules::ProxyCheck check) const;

    const ProfileWizardContext context_;
    CCustomEdit script_;
    CCustomEdit servers_[proxyrules::kProtocolCount];
    CCustomEdit ports_[proxyrules::kProtocolCount];
    CCustomEdit exceptions_;
};
