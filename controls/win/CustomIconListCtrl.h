#pragma once
#include "framework/win/ScrollView.h"

#include <commctrl.h>

#include <memory>
#include <vector>

#include "controls/IconStripLayout.h"

// A drawn strip of icons in one row, taking over a dialog's list-view
// placeholder (SubclassDlgItem). Items are LVITEM copies; iImage 0..5 draws
// icon resource 163..168. The selected item is framed in red. Clicks, the
// arrow keys, Home and End move the selection; the wheel does nothing.
class CCustomIconListCtrl : public CScrollView {
public:
    ~CCustomIconListCtrl() override;

    int SetImageList(HIMAGELIST list, BOOL keepPrevious);
    int InsertIconItem(const LVITEMW* item);
    int FindItemIndex(int iItem) const;
    int SetIconItemData(int iItem, LPARAM value);
    int SetIconItemState(int iItem, UINT state, UINT mask);
    int EnsureIconVisible(int iItem);
    int GetSelectedIconData() const;
    int SelectAllIcons(bool on);
    int DeleteAllIconItems();

    BOOL PreTranslateMessage(MSG* msg) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnDraw(HDC dc) override;
    void OnInitialUpdate() override;

    // The items' stored fields, in insertion order.
    struct IconItem {
        UINT mask;
        int iItem;
        int iSubItem;
        UINT state;
        UINT stateMask;
        int iImage;
        LPARAM lParam;
    };
    const std::vector<std::unique_ptr<IconItem>>& Items() const { return iconItems; }

    std::vector<std::unique_ptr<IconItem>> iconItems;
    HIMAGELIST imageList = nullptr;
    int leftMargin = 10;
    int topMargin = 10;
    int rightMargin = 10;
    int itemPitch = 42;
    int imageCount = 0;
    int imageWidth = 0;

private:
    iconstrip::Metrics CurrentMetrics();
    void Select(int position);
    void ScrollItemIntoView(int position);
    void UpdateScrollSizes();
    int FirstSelected() const;
    int HitAt(LPARAM clientPoint);  // array position under a click, or -1
};
