#include "controls/win/CustomIconListCtrl.h"

#include <new>

#include "controls/win/DPIMgr.h"
#include "framework/win/UniqueHandle.h"
#include "resources/resource.h"

namespace {

constexpr int kIconCount = 6;
constexpr COLORREF kFrameColour = RGB(255, 0, 0);

}  // namespace

CCustomIconListCtrl::~CCustomIconListCtrl() { DeleteAllIconItems(); }

iconstrip::Metrics CCustomIconListCtrl::CurrentMetrics() {
    CDPIMgr dpiMgr;
    iconstrip::Metrics m;
    m.leftMargin = leftMargin;
    m.topMargin = topMargin;
    m.rightMargin = rightMargin;
    m.itemPitch = itemPitch;
    m.imageWidth = imageWidth;
    m.factorX = dpiMgr.ScaleX(100);
    m.factorY = dpiMgr.ScaleY(100);
    return m;
}

int CCustomIconListCtrl::SetImageList(HIMAGELIST list, BOOL keepPrevious) {
    if (!keepPrevious) {
        imageList = list;
        imageCount = ImageList_GetImageCount(list);
    }
    IMAGEINFO info = {};
    if (ImageList_GetImageInfo(list, 0, &info)) imageWidth = info.rcImage.right;
    return 0;
}

int CCustomIconListCtrl::InsertIconItem(const LVITEMW* item) {
    if (!item) return -1;
    IconItem* copy = new (std::nothrow)
        IconItem{item->mask, item->iItem, item->iSubItem, item->state, item->stateMask, item->iImage, item->lParam};
    if (!copy) return -1;
    iconItems.emplace_back(copy);
    UpdateScrollSizes();
    return item->iItem;
}

void CCustomIconListCtrl::UpdateScrollSizes() {
    if (!m_hWnd) return;
    RECT client;
    GetClientRect(&client);
    iconstrip::Metrics m = CurrentMetrics();
    SIZE total = {iconstrip::TotalWidth(m, static_cast<int>(iconItems.size())), GetTotalSize().cy};
    SetScrollSizes(MM_TEXT, total, SIZE{client.right, client.bottom}, SIZE{iconstrip::LineSize(m), 0});
}

int CCustomIconListCtrl::FindItemIndex(int iItem) const {
    for (size_t i = 0; i < iconItems.size(); ++i)
        if (iconItems[i]->iItem == iItem) return static_cast<int>(i);
    return -1;
}

int CCustomIconListCtrl::SetIconItemData(int iItem, LPARAM value) {
    int position = FindItemIndex(iItem);
    if (position < 0) return 0;
    iconItems[position]->lParam = value;
    return 1;
}

int CCustomIconListCtrl::SetIconItemState(int iItem, UINT state, UINT mask) {
    int position = FindItemIndex(iItem);
    if (position < 0) return 0;
    if (mask & LVIS_SELECTED) {
        for (auto& item : iconItems) item->state &= ~LVIS_SELECTED;
        if (state & LVIS_SELECTED) iconItems[position]->state |= LVIS_SELECTED;
    }
    if (mask & LVIS_FOCUSED) {
        if (state & LVIS_FOCUSED) iconItems[position]->state |= LVIS_FOCUSED;
        else iconItems[position]->state &= ~LVIS_FOCUSED;
    }
    return 0;
}

int CCustomIconListCtrl::EnsureIconVisible(int iItem) {
    int position = FindItemIndex(iItem);
    if (position <= 0) return 0;
    ScrollItemIntoView(position);
    return 1;
}

int CCustomIconListCtrl::GetSelectedIconData() const {
    for (const auto& item : iconItems)
        if (item->state & LVIS_SELECTED) return static_cast<int>(item->lParam);
    return -1;
}

int CCustomIconListCtrl::SelectAllIcons(bool on) {
    for (auto& item : iconItems) {
        if (on) item->state |= LVIS_SELECTED;
        else item->state &= ~LVIS_SELECTED;
    }
    return static_cast<int>(iconItems.size());
}

int CCustomIconListCtrl::DeleteAllIconItems() {
    iconItems.clear();
    return 1;
}

int CCustomIconListCtrl::FirstSelected() const {
    for (size_t i = 0; i < iconItems.size(); ++i)
        if (iconItems[i]->state & LVIS_SELECTED) return static_cast<int>(i);
    return -1;
}

void CCustomIconListCtrl::ScrollItemIntoView(int position) {
    if (!m_hWnd) return;
    RECT client;
    GetClientRect(&client);
    int target = iconstrip::ScrollIntoView(CurrentMetrics(), position, GetScrollPosition().x, client.right);
    if (target >= 0) ScrollToPosition(POINT{target, 0});
}

void CCustomIconListCtrl::Select(int position) {
    for (auto& item : iconItems) item->state &= ~LVIS_SELECTED;
    iconItems[position]->state |= LVIS_SELECTED;
    ScrollItemIntoView(position);
    Invalidate(true);
}

void CCustomIconListCtrl::OnDraw(HDC dc) {
    iconstrip::Metrics m = CurrentMetrics();
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    for (size_t i = 0; i < iconItems.size(); ++i) {
        const IconItem& item = *iconItems[i];
        iconstrip::Point origin = iconstrip::ItemOrigin(m, static_cast<int>(i));
        if (item.iImage >= 0 && item.iImage < kIconCount) {
            if (HICON icon = ::LoadIconW(instance, MAKEINTRESOURCEW(IDI_PROFILE_FIRST + item.iImage)))
                ::DrawIcon(dc, origin.x, origin.y, icon);
        }
        if (!(item.state & LVIS_SELECTED)) continue;
        iconstrip::Point end = iconstrip::FrameEnd(m, static_cast<int>(i));
        const CGdiObject<HPEN> pen(::CreatePen(PS_SOLID, 2, kFrameColour));
        HGDIOBJ oldPen = ::SelectObject(dc, pen.Get());
        HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
        ::Rectangle(dc, origin.x, origin.y, end.x, end.y);
        ::SelectObject(dc, oldBrush);
        ::SelectObject(dc, oldPen);
    }
}

void CCustomIconListCtrl::OnInitialUpdate() { SetScrollSizes(MM_TEXT, SIZE{100, 100}); }

int CCustomIconListCtrl::HitAt(LPARAM lParam) {
    POINT scroll = GetScrollPosition();
    iconstrip::Point point = {static_cast<short>(LOWORD(lParam)) + scroll.x,
                              static_cast<short>(HIWORD(lParam)) + scroll.y};
    return iconstrip::HitTest(CurrentMetrics(), static_cast<int>(iconItems.size()), point);
}

bool CCustomIconListCtrl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (message) {
        case WM_LBUTTONDOWN: {
            SetFocus();
            const int hit = HitAt(lParam);
            if (hit < 0) {
                *result = 0;  // between the icons: nothing, not even the default processing
                return true;
            }
            Select(hit);
            *result = DefWindowProc(message, wParam, lParam);
            return true;
        }
        case WM_MOUSEWHEEL:
            *result = TRUE;
            return true;
        default:
            return CScrollView::OnMessage(message, wParam, lParam, result);
    }
}

BOOL CCustomIconListCtrl::PreTranslateMessage(MSG* msg) {
    if (msg->message != WM_KEYDOWN) return CScrollView::PreTranslateMessage(msg);
    iconstrip::Key key;
    switch (msg->wParam) {
        case VK_LEFT: key = iconstrip::Key::Left; break;
        case VK_RIGHT: key = iconstrip::Key::Right; break;
        case VK_HOME: key = iconstrip::Key::Home; break;
        case VK_END: key = iconstrip::Key::End; break;
        case VK_UP: case VK_DOWN: return TRUE;
        default: return CScrollView::PreTranslateMessage(msg);
    }
    int next = iconstrip::KeyMove(key, FirstSelected(), static_cast<int>(iconItems.size()));
    if (next >= 0) Select(next);
    return TRUE;
}
