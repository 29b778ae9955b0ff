#include "controls/win/CustomEdit.h"

#include "controls/EditFilter.h"
#include "framework/win/WideText.h"

bool CCustomEdit::SetFilterMode(int mode, bool allowOther) {
    if (mode >= editfilter::kNoFilter && mode <= editfilter::kPrintable) {
        filterMode = mode;
        allowOtherAscii = allowOther;
    }
    return allowOther;
}

bool CCustomEdit::IsCharAllowed(wchar_t c) const {
    return editfilter::IsCharAllowed(filterMode, allowOtherAscii, static_cast<char16_t>(c));
}

BOOL CCustomEdit::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_CHAR && filterMode != editfilter::kNoFilter) {
        const auto c = static_cast<char16_t>(msg->wParam & 0xFFFF);
        if (!editfilter::BypassesTypingFilter(c) && !IsCharAllowed(c)) return TRUE;  // swallowed
    }
    return CEdit::PreTranslateMessage(msg);
}

LRESULT CCustomEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PASTE) return CEdit::WindowProc(message, wParam, lParam);
    LRESULT result = CEdit::WindowProc(message, wParam, lParam);
    if (filterMode != editfilter::kNoFilter) FilterPastedText();
    return result;
}

void CCustomEdit::FilterPastedText() {
    int start = 0, end = 0;
    GetSel(&start, &end);
    const Text kept = editfilter::FilterText(filterMode, allowOtherAscii, T(GetWindowText()));
    ::SetWindowTextW(m_hWnd, WPtr(kept));
    // The edit clamps a selection beyond the shorter text to its end.
    SetSel(start, end);
    SendMessage(EM_SCROLLCARET);
}
