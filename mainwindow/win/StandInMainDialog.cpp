#include "mainwindow/win/StandInMainDialog.h"

#include <vector>

#include "app/Messages.h"
#include "app/win/OrtivoMessage.h"
#include "app/win/Tolvik_NetworkApp.h"
#include "framework/win/WideText.h"
#include "mainwindow/ProfileNumber.h"
#include "switching/ResultMessages.h"

namespace {

constexpr wchar_t kSwitchingCaption[] = L"Ortivo (ネットワーク設定中)";
constexpr UINT kMsgStartStartupSwitch = WM_APP + 0x200;

// In-memory dialog template: caption "Ortivo", no controls.
std::vector<WORD> MainTemplate() {
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    DLGTEMPLATE* t = reinterpret_cast<DLGTEMPLATE*>(words.data());
    t->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME | DS_CENTER;
    t->dwExtendedStyle = WS_EX_APPWINDOW;
    t->cdit = 0;
    t->cx = 262;
    t->cy = 201;
    words.push_back(0);  // no menu
    words.push_back(0);  // the dialog class
    for (const wchar_t* c = kProductCaption; *c != 0; ++c) words.push_back(static_cast<WORD>(*c));
    words.push_back(0);
    return words;
}

UINT IconFlag(ResultIcon icon) { return icon == ResultIcon::Information ? MB_ICONINFORMATION : MB_ICONERROR; }

}  // namespace

CStandInMainDialog::CStandInMainDialog(CTolvik_NetworkApp& app) : app_(app), switch_(app) {}

void CStandInMainDialog::SetStartupProfile(int number) {
    if (number < 1 || number > 12) return;
    startupProfile_ = number;
    startupRequest_ = true;
}

INT_PTR CStandInMainDialog::DoModal() {
    const std::vector<WORD> dialogTemplate = MainTemplate();
    return DialogBoxIndirectParamW(app_.Instance(), reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()),
                                   nullptr, DialogProc, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK CStandInMainDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        reinterpret_cast<CStandInMainDialog*>(lParam)->window_ = window;
    }
    auto* self = reinterpret_cast<CStandInMainDialog*>(GetWindowLongPtrW(window, DWLP_USER));
    return self != nullptr ? self->Handle(message, wParam, lParam) : FALSE;
}

INT_PTR CStandInMainDialog::Handle(UINT message, WPARAM wParam, LPARAM /*lParam*/) {
    LRESULT result = 0;
    switch (message) {
        case WM_INITDIALOG:
            OnInitDialog();
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(window_, LOWORD(wParam));
            return TRUE;
        case WM_CLOSE:
            EndDialog(window_, IDCANCEL);
            return TRUE;
        case kMsgStartStartupSwitch:
            StartSwitch(ProfileIdAtNumber(app_.profiles, startupProfile_));
            return TRUE;
        case kMsgRunProfile:
            result = OnRunProfile(wParam);
            break;
        case kMsgProgress:
            lastProgress_ = static_cast<int>(wParam);
            break;
        case kMsgSwitchResult:
            result = OnSwitchResult(wParam);
            break;
        case kMsgApplierFinished:
            app_.applierFinished = 1;
            break;
        default:
            return FALSE;
    }
    SetWindowLongPtrW(window_, DWLP_MSGRESULT, result);
    return TRUE;
}

void CStandInMainDialog::OnInitDialog() {
    RECT client;
    GetClientRect(window_, &client);
    HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY,
                                8, 8, client.right - 16, client.bottom - 16, window_,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kProfileListId)), app_.Instance(),
                                nullptr);
    CProfileData profile;
    for (int i = 0; app_.profiles.GetByPosition(i, &profile) == 0; ++i)
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WPtr(profile.GetText(ProfileText::profileName))));
    if (startupRequest_) PostMessageW(window_, kMsgStartStartupSwitch, 0, 0);
}

int CStandInMainDialog::StartSwitch(int32_t profileId) {
    if (switchInProgress_) return 0;
    switchInProgress_ = true;
    CProfileData profile;
    if (app_.profiles.FindById(profileId, &profile) != 0) {
        switchInProgress_ = false;
        return -1;
    }
    SetWindowTextW(window_, kSwitchingCaption);
    // 1: the previous worker did not end in time; nothing runs, so nothing
    // would ever clear the flag.
    if (switch_.Start(window_, profile) != 0) {
        EndSwitch();
        return -1;
    }
    return 0;
}

LRESULT CStandInMainDialog::OnRunProfile(WPARAM number) {
    const int n = static_cast<int>(number);
    if (n < 1) return 0;
    return StartSwitch(ProfileIdAtNumber(app_.profiles, n));
}

LRESULT CStandInMainDialog::OnSwitchResult(WPARAM resultWord) {
    for (const ResultMessage& message : ComposeResultMessages(static_cast<uint32_t>(resultWord))) {
        std::vector<Text> lines;
        for (int id : message.lineIds) lines.push_back(T(LoadResourceText(static_cast<UINT>(id))));
        ShowOrtivoText(window_, W(JoinMessageLines(lines)), IconFlag(message.icon));
    }
    if (startupRequest_) EndDialog(window_, IDOK);
    EndSwitch();
    return 0;
}

void CStandInMainDialog::EndSwitch() {
    switchInProgress_ = false;
    SetWindowTextW(window_, kProductCaption);
}
