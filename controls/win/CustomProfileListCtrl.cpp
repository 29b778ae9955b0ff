#include "controls/win/CustomProfileListCtrl.h"

#include "controls/win/DPIMgr.h"
#include "framework/win/ResourceString.h"
#include "framework/win/UniqueHandle.h"
#include "framework/win/WideText.h"
#include "profile/ProfileCollection.h"
#include "resources/resource.h"

namespace {

constexpr COLORREF kFallbackHighlight = RGB(49, 106, 197);
constexpr COLORREF kFrameColour = RGB(255, 0, 0);
constexpr int kTextIndent = 44;
constexpr int kIconCount = 6;
constexpr int kTextBufferChars = 522;
constexpr int kMarkMargin = 8;

int IconResource(int32_t iconIndex) {
    return IDI_PROFILE_FIRST + (iconIndex >= 0 && iconIndex < kIconCount ? iconIndex : 0);
}

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
    const CGdiObject<HBRUSH> brush(::CreateSolidBrush(colour));
    ::FillRect(dc, &rect, brush.Get());
}

void DrawFrame(HDC dc, const RECT& background) {
    const CGdiObject<HPEN> pen(::CreatePen(PS_SOLID, 2, kFrameColour));
    HGDIOBJ oldPen = ::SelectObject(dc, pen.Get());
    HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
    ::Rectangle(dc, background.left + 1, background.top + 1, background.right - 2, background.bottom);
    ::SelectObject(dc, oldBrush);
    ::SelectObject(dc, oldPen);
}

}  // namespace

void CCustomProfileListCtrl::MeasureItem(MEASUREITEMSTRUCT* measure) {
    CDPIMgr dpiMgr;
    measure->itemHeight = measure->itemHeight * dpiMgr.ScaleY(100) / 100;
}

bool CCustomProfileListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message != WM_MEASUREITEM) return CListCtrl::OnChildNotify(message, wParam, lParam, result);
    MeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
    *result = TRUE;
    return true;
}

bool CCustomProfileListCtrl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message != WM_SETFONT) return CListCtrl::OnMessage(message, wParam, lParam, result);
    *result = OnSetFont(wParam, lParam);
    return true;
}

LRESULT CCustomProfileListCtrl::OnSetFont(WPARAM wParam, LPARAM lParam) {
    LRESULT result = DefWindowProc(WM_SETFONT, wParam, lParam);
    RECT rect;
    GetWindowRect(&rect);
    // An owner-drawn list view measures its rows again on this message.
    WINDOWPOS pos = {};
    pos.hwnd = m_hWnd;
    pos.cx = rect.right - rect.left;
    pos.cy = rect.bottom - rect.top;
    pos.flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    SendMessage(WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
    return result;
}

void CCustomProfileListCtrl::MarkInForce(int32_t profileId) {
    for (int row = 0; row < GetItemCount(); ++row) {
        const bool marked = profileId != 0 && static_cast<int32_t>(GetItemData(row)) == profileId;
        if (marked != IsMarked(GetItemState(row, LVIS_STATEIMAGEMASK)))
            SetItemState(row, marked ? kInForceState : 0, LVIS_STATEIMAGEMASK);
    }
}

void CCustomProfileListCtrl::DrawItem(DRAWITEMSTRUCT* draw) {
    const bool focused = ::GetFocus() == m_hWnd;
    wchar_t text[kTextBufferChars] = {};
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_STATE | LVIF_PARAM;
    item.iItem = static_cast<int>(draw->itemID);
    item.stateMask = 0xFFFF;
    item.pszText = text;
    item.cchTextMax = kTextBufferChars;
    GetItem(&item);

    CProfileData profile;
    if (!profiles_ || profiles_->FindById(static_cast<int32_t>(draw->itemData), &profile) < 0) return;

    RECT bounds;
    GetItemRect(item.iItem, &bounds, LVIR_BOUNDS);
    RECT background = bounds;
    background.right += 2;

    HDC dc = draw->hDC;
    const bool selected = (item.state & LVIS_SELECTED) && (focused || (GetStyle() & LVS_SHOWSELALWAYS));
    COLORREF highlight = ::GetSysColor(COLOR_MENUHILIGHT);
    if (highlight == 0) highlight = kFallbackHighlight;
    if (selected) {
        FillSolid(dc, background, highlight);
        DrawFrame(dc, background);
    } else {
        FillSolid(dc, background, RGB(255, 255, 255));
    }

    if (HICON icon = ::LoadIconW(::GetModuleHandleW(nullptr),
                                 MAKEINTRESOURCEW(IconResource(profile.Record().iconIndex))))
        ::DrawIcon(dc, bounds.left + 2, bounds.top + 2, icon);

    CDPIMgr dpiMgr;
    RECT textRect = bounds;
    textRect.left = (bounds.left + kTextIndent) * dpiMgr.ScaleY(100) / 100;
    COLORREF textColour = ::GetSysColor(COLOR_MENUTEXT);
    if (selected && highlight == textColour) textColour = RGB(0, 0, 0);
    ::SetTextColor(dc, textColour);
    ::SetBkMode(dc, TRANSPARENT);
    const Text name = profile.GetText(ProfileText::profileName);
    ::DrawTextW(dc, WPtr(name), -1, &textRect, DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (IsMarked(item.state)) {
        RECT markRect = bounds;
        markRect.right -= kMarkMargin;
        ::DrawTextW(dc, LoadResString(IDS_IN_FORCE_MARK).c_str(), -1, &markRect,
                    DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}
