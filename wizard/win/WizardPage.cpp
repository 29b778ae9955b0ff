#include "wizard/win/WizardPage.h"

#include "app/win/OrtivoMessage.h"
#include "framework/win/ResourceString.h"
#include "resources/resource.h"

const WizardPageInfo kWizardPages[8] = {
    {0, IDD_WIZARD_NAME, L"プロファイル名、アイコンの設定"},
    {1, IDD_WIZARD_ADAPTER, L"ネットワーク接続の選択"},
    {2, IDD_WIZARD_TCP, L"TCP/IPの設定"},
    {3, IDD_WIZARD_PROXY, L"Internet Explorerのプロキシの設定"},
    {4, IDD_WIZARD_NETWORKCHK, L"ネットワーク接続の確認設定"},
    {5, IDD_WIZARD_RUNAPP, L"ネットワーク接続後起動アプリケーションの設定"},
    {6, IDD_WIZARD_PRINTER, L"デフォルトプリンターの設定"},
    {7, IDD_WIZARD_CONFIRM, L"プロファイル登録情報の確認"},
};

namespace wizardpage {

namespace {

constexpr wchar_t kWizardTitle[] = L"プロファイル ウィザード登録/変更";
constexpr DWORD kFrameButtons = PSWIZB_BACK | PSWIZB_NEXT | PSWIZB_CANCEL;

// The classic wizard, which stands in where there is no Aero wizard (Wine),
// knows only PSM_SETWIZBUTTONS; the same rule is posted in that form too.
void PostClassicButtons(HWND wizard, DWORD buttons) { ::PostMessageW(wizard, PSM_SETWIZBUTTONS, 0, buttons); }

}  // namespace

void SetTitle(HWND wizard) { ::SendMessageW(wizard, PSM_SETTITLEW, 1, reinterpret_cast<LPARAM>(kWizardTitle)); }

void ActivateFrame(HWND wizard) {
    SetTitle(wizard);
    ::PostMessageW(wizard, PSM_SHOWWIZBUTTONS, kFrameButtons, kFrameButtons);
    ::PostMessageW(wizard, PSM_ENABLEWIZBUTTONS, kFrameButtons, kFrameButtons);
    PostClassicButtons(wizard, PSWIZB_BACK | PSWIZB_NEXT);
}

void DisableBack(HWND wizard) {
    ::PostMessageW(wizard, PSM_ENABLEWIZBUTTONS, 0, PSWIZB_BACK);
    PostClassicButtons(wizard, PSWIZB_NEXT);
}

void ShowFinish(HWND wizard) {
    ::PostMessageW(wizard, PSM_SHOWWIZBUTTONS, PSWIZB_FINISH, PSWIZB_FINISH);
    PostClassicButtons(wizard, PSWIZB_BACK | PSWIZB_FINISH);
    const std::wstring text = LoadResString(IDS_FINISH_TEXT);
    ::SendMessageW(wizard, PSM_SETFINISHTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
    // The classic wizard hides Back along with Next when it gets a Finish
    // text, and no wizard request shows it again there; the user must still
    // be able to go back and change a setting.
    ::ShowWindow(::GetDlgItem(wizard, ID_WIZBACK), SW_SHOW);
}

void SetNextEnabled(HWND wizard, bool enabled) {
    ::PostMessageW(wizard, PSM_ENABLEWIZBUTTONS, enabled ? PSWIZB_NEXT : 0, PSWIZB_NEXT);
    PostClassicButtons(wizard, enabled ? PSWIZB_BACK | PSWIZB_NEXT : PSWIZB_BACK);
}

void SetHeaderTitle(HWND wizard, int index) {
    if (index < 0 || index >= 8) return;
    ::SendMessageW(wizard, PSM_SETHEADERTITLEW, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(kWizardPages[index].caption));
}

void ReportCheckFailure(HWND page, UINT messageId, HWND focus) {
    ShowOrtivoMessage(page, messageId, MB_ICONERROR | MB_OK);
    if (focus != nullptr) ::SetFocus(focus);
}

}  // namespace wizardpage
