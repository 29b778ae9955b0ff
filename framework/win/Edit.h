#pragma once
#include "framework/win/Wnd.h"

// An edit control.
class CEdit : public CWnd {
public:
    void SetLimitText(UINT limit) { SendMessage(EM_LIMITTEXT, limit); }
    void GetSel(int* start, int* end) const {
        DWORD s = 0, e = 0;
        SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
        *start = static_cast<int>(s);
        *end = static_cast<int>(e);
    }
    void SetSel(int start, int end) { SendMessage(EM_SETSEL, start, end); }
    void ReplaceSel(const std::wstring& text) {
        SendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    }
};
