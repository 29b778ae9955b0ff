#pragma once
#include "framework/win/Edit.h"

// An edit control that refuses characters outside a class, typed
// (PreTranslateMessage) or pasted (WindowProc, WM_PASTE). Modes: 0 none,
// 1 digits, 2 printable ASCII without blanks; with `allowOtherAscii` every
// other ASCII character passes too. Backspace and "." always pass.
class CCustomEdit : public CEdit {
public:
    // Modes 0 to 2 store both values; any other mode changes nothing.
    // Returns the second argument.
    bool SetFilterMode(int mode, bool allowOther);
    bool IsCharAllowed(wchar_t c) const;

    BOOL PreTranslateMessage(MSG* msg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    int filterMode = 0;
    bool allowOtherAscii = true;

private:
    void FilterPastedText();
};
