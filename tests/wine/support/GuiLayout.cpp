// Whether the labels of a dialog are shown in full: each static text and
// button caption is measured with the control's own font the way the control
// draws it, and compared with the room the control gives it.
#include "tests/wine/support/GuiDriver.h"

#include <commctrl.h>

namespace gui {
namespace {

// Room the button control keeps beside its text: the check box or radio
// circle with its gap, the frame of a push button, the indent of a group
// box's title.
constexpr int kCheckRoom = 13 + 6;
constexpr int kPushRoom = 2 * 4;
constexpr int kGroupRoom = 2 * 8;

enum class Kind { None, WrappedText, SingleLine, Push, Check, Group };

Kind KindOf(HWND control) {
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    const std::wstring cls = ClassName(control);
    if (lstrcmpiW(cls.c_str(), L"Static") == 0) {
        switch (style & SS_TYPEMASK) {
        case SS_LEFT: case SS_CENTER: case SS_RIGHT: return Kind::WrappedText;
        case SS_LEFTNOWORDWRAP: case SS_SIMPLE: return Kind::SingleLine;
        default: return Kind::None;  // icons, bitmaps, frames
        }
    }
    if (lstrcmpiW(cls.c_str(), L"Button") == 0) {
        switch (style & BS_TYPEMASK) {
        case BS_PUSHBUTTON: case BS_DEFPUSHBUTTON: return Kind::Push;
        case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON:
        case BS_3STATE: case BS_AUTO3STATE: return Kind::Check;
        case BS_GROUPBOX: return Kind::Group;
        default: return Kind::None;
        }
    }
    return Kind::None;
}

// Size of `text` drawn with the control's font; `wrapWidth` > 0 breaks lines there.
SIZE Measure(HWND control, const std::wstring& text, int wrapWidth, bool noPrefix) {
    RECT r{0, 0, wrapWidth > 0 ? wrapWidth : 0, 0};
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    UINT flags = DT_CALCRECT | DT_EXPANDTABS | (wrapWidth > 0 ? DT_WORDBREAK : 0) | (noPrefix ? DT_NOPREFIX : 0);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, flags);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

std::wstring Describe(HWND control, const std::wstring& text, SIZE need, SIZE room) {
    return L"control " + std::to_wstring(GetDlgCtrlID(control)) + L" \"" + text + L"\" needs " +
           std::to_wstring(need.cx) + L"x" + std::to_wstring(need.cy) + L", has " + std::to_wstring(room.cx) + L"x" +
           std::to_wstring(room.cy);
}

}  // namespace

std::vector<std::wstring> TextsNotShownInFull(HWND dialog) {
    std::vector<std::wstring> clipped;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const Kind kind = KindOf(child);
        const std::wstring text = WindowText(child);
        if (kind == Kind::None || text.empty() || !(GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE)) continue;
        RECT client{};
        GetClientRect(child, &client);
        const bool noPrefix = kind == Kind::WrappedText || kind == Kind::SingleLine
                                  ? (GetWindowLongW(child, GWL_STYLE) & SS_NOPREFIX) != 0
                                  : false;
        const bool multiLine = kind == Kind::WrappedText ||
                               (kind != Kind::SingleLine && (GetWindowLongW(child, GWL_STYLE) & BS_MULTILINE));
        int room = client.right;
        if (kind == Kind::Check) room -= kCheckRoom;
        if (kind == Kind::Push) room -= kPushRoom;
        if (kind == Kind::Group) room -= kGroupRoom;
        const SIZE need = Measure(child, text, multiLine ? room : 0, noPrefix);
        const bool tooHigh = kind != Kind::Group && need.cy > client.bottom;  // a group box's title sits on its frame
        if (need.cx > room || tooHigh) clipped.push_back(Describe(child, text, need, SIZE{room, client.bottom}));
    }
    return clipped;
}

std::vector<int> ControlsOutside(HWND window) {
    RECT area = {};
    GetClientRect(window, &area);
    std::vector<int> outside;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        RECT rect = {};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        if (rect.left < area.left || rect.top < area.top || rect.right > area.right || rect.bottom > area.bottom)
            outside.push_back(GetDlgCtrlID(child));
    }
    return outside;
}

}  // namespace gui
