#include "wizard/win/PageControls.h"

#include <commctrl.h>

#include "framework/win/Wnd.h"
#include "wizard/win/WizardPage.h"

namespace pagecontrols {

namespace {

constexpr int kFirstFieldMin = 1;
constexpr int kFirstFieldMax = 223;

}  // namespace

bool IsTicked(HWND page, int id) { return ::IsDlgButtonChecked(page, id) == BST_CHECKED; }

void SetTicked(HWND page, int id, bool ticked) { ::CheckDlgButton(page, id, ticked ? BST_CHECKED : BST_UNCHECKED); }

uint8_t FlagOf(HWND page, int id) { return IsTicked(page, id) ? 1 : 0; }

std::wstring TextOf(HWND page, int id) { return WindowTextOf(::GetDlgItem(page, id)); }

void SetText(HWND page, int id, const std::wstring& text) { ::SetDlgItemTextW(page, id, text.c_str()); }

void Enable(HWND page, int id, bool enabled) { ::EnableWindow(::GetDlgItem(page, id), enabled ? TRUE : FALSE); }

void LimitText(HWND page, int id, std::size_t limit) {
    ::SendDlgItemMessageW(page, id, EM_LIMITTEXT, static_cast<WPARAM>(limit), 0);
}

bool IsClickOn(WPARAM wParam, int id) { return LOWORD(wParam) == id && HIWORD(wParam) == BN_CLICKED; }

void LimitFirstField(HWND page, int id) {
    ::SendDlgItemMessageW(page, id, IPM_SETRANGE, 0, MAKEIPRANGE(kFirstFieldMin, kFirstFieldMax));
}

void SetAddress(HWND page, int id, uint32_t value) {
    if (value == 0) ::SendDlgItemMessageW(page, id, IPM_CLEARADDRESS, 0, 0);
    else ::SendDlgItemMessageW(page, id, IPM_SETADDRESS, 0, static_cast<LPARAM>(value));
}

tcppage::AddressField ReadAddress(HWND page, int id) {
    DWORD value = 0;
    const LRESULT filled = ::SendDlgItemMessageW(page, id, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&value));
    return tcppage::AddressField{static_cast<uint32_t>(value), static_cast<int>(filled)};
}

bool RefuseNext(HWND page, int failure, int focusId) {
    if (failure == 0) return false;
    wizardpage::ReportCheckFailure(page, static_cast<UINT>(failure), ::GetDlgItem(page, focusId));
    return true;
}

}  // namespace pagecontrols
