#include "wizard/win/PageControls.h"

#include "framework/win/Wnd.h"
#include "wizard/win/WizardPage.h"

namespace pagecontrols {

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

bool RefuseNext(HWND page, int failure, int focusId) {
    if (failure == 0) return false;
    wizardpage::ReportCheckFailure(page, static_cast<UINT>(failure), ::GetDlgItem(page, focusId));
    return true;
}

}  // namespace pagecontrols
