#include "framework/win/ScrollView.h"

#include <algorithm>

void CScrollView::SetScrollSizes(int, SIZE total, SIZE page, SIZE line) {
    RECT client = {};
    if (m_hWnd) GetClientRect(&client);
    total_ = total;
    page_.cx = page.cx ? page.cx : client.right;
    page_.cy = page.cy ? page.cy : client.bottom;
    line_.cx = line.cx ? line.cx : std::max<LONG>(1, page_.cx / 10);
    line_.cy = line.cy ? line.cy : std::max<LONG>(1, page_.cy / 10);
    if (!m_hWnd) return;
    UpdateBars();
    ScrollToPosition(position_);
}

int CScrollView::MaxPosition(int bar) const {
    RECT client;
    GetClientRect(&client);
    int extent = bar == SB_HORZ ? total_.cx - client.right : total_.cy - client.bottom;
    return std::max(0, extent);
}

void CScrollView::UpdateBars() {
    RECT client;
    GetClientRect(&client);
    for (int bar : {SB_HORZ, SB_VERT}) {
        SCROLLINFO info = {};
        info.cbSize = sizeof(info);
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        bool horizontal = bar == SB_HORZ;
        int total = horizontal ? total_.cx : total_.cy;
        int visible = horizontal ? client.right : client.bottom;
        info.nMin = 0;
        info.nMax = total > visible ? total - 1 : 0;
        info.nPage = total > visible ? static_cast<UINT>(visible) : 0;
        info.nPos = horizontal ? position_.x : position_.y;
        ::SetScrollInfo(m_hWnd, bar, &info, TRUE);
    }
}

void CScrollView::ScrollToPosition(POINT position) {
    POINT target = {std::clamp<LONG>(position.x, 0, MaxPosition(SB_HORZ)),
                    std::clamp<LONG>(position.y, 0, MaxPosition(SB_VERT))};
    if (target.x == position_.x && target.y == position_.y) return;
    position_ = target;
    ::SetScrollPos(m_hWnd, SB_HORZ, position_.x, TRUE);
    ::SetScrollPos(m_hWnd, SB_VERT, position_.y, TRUE);
    Invalidate(true);
}

void CScrollView::Scroll(int bar, int request) {
    bool horizontal = bar == SB_HORZ;
    LONG current = horizontal ? position_.x : position_.y;
    LONG line = horizontal ? line_.cx : line_.cy;
    LONG page = horizontal ? page_.cx : page_.cy;
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_TRACKPOS;
    ::GetScrollInfo(m_hWnd, bar, &info);
    LONG next = current;
    switch (request) {
        case SB_LINEUP: next -= line; break;
        case SB_LINEDOWN: next += line; break;
        case SB_PAGEUP: next -= page; break;
        case SB_PAGEDOWN: next += page; break;
        case SB_TOP: next = 0; break;
        case SB_BOTTOM: next = MaxPosition(bar); break;
        case SB_THUMBTRACK: case SB_THUMBPOSITION: next = info.nTrackPos; break;
        default: return;
    }
    ScrollToPosition(horizontal ? POINT{next, position_.y} : POINT{position_.x, next});
}

void CScrollView::Paint() {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    POINT oldOrigin;
    ::SetViewportOrgEx(dc, -position_.x, -position_.y, &oldOrigin);
    OnDraw(dc);
    ::SetViewportOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
    ::EndPaint(m_hWnd, &ps);
}

bool CScrollView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (message) {
        case WM_PAINT: Paint(); break;
        case WM_HSCROLL: Scroll(SB_HORZ, LOWORD(wParam)); break;
        case WM_VSCROLL: Scroll(SB_VERT, LOWORD(wParam)); break;
        case WM_SIZE:
            // The window's own handling first: it may reset the scroll bars.
            *result = DefWindowProc(message, wParam, lParam);
            UpdateBars();
            ScrollToPosition(position_);
            return true;
        default: return CWnd::OnMessage(message, wParam, lParam, result);
    }
    *result = 0;
    return true;
}
