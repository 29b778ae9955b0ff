#pragma once
// What every page of the profile wizard does with the wizard frame: the
// activation hook (title and the Back/Next/Cancel buttons), the header
// title, the page-specific button rules and the report of a failed check.
#include <windows.h>

#include "framework/win/PropertySheet.h"

#ifndef PSM_SETHEADERTITLEW
#define PSM_SETHEADERTITLEW (WM_USER + 126)
#endif
#ifndef PSM_SETFINISHTEXTW
#define PSM_SETFINISHTEXTW (WM_USER + 121)
#endif

// The hook the wizard hands to each page: called with the wizard window
// first thing on every activation.
using PageActivationHook = void (*)(HWND wizard);

// Index and caption (header title) of each page, in the order shown.
struct WizardPageInfo {
    int index;
    UINT templateId;
    const wchar_t* caption;
};
extern const WizardPageInfo kWizardPages[8];

namespace wizardpage {

// "プロファイル ウィザード登録/変更" (sent), Back, Next and Cancel shown and
// enabled (posted).
void ActivateFrame(HWND wizard);
// The wizard title alone (sent).
void SetTitle(HWND wizard);
// Page-specific button rules, posted after the frame's.
void DisableBack(HWND wizard);
void ShowFinish(HWND wizard);  // Finish shown, labelled "登録(&R)", Back kept
void SetNextEnabled(HWND wizard, bool enabled);
// The header title of the page at `index` (PSM_SETHEADERTITLEW).
void SetHeaderTitle(HWND wizard, int index);
// A failed check of Next: the message (caption "Ortivo", error icon) owned
// by the page, then the focus on the offending control.
void ReportCheckFailure(HWND page, UINT messageId, HWND focus);

}  // namespace wizardpage
