#pragma once
#include "framework/win/Wnd.h"

// A window that paints a logical area larger than itself and scrolls it
// with its scroll bars (MM_TEXT mapping only: one logical unit per pixel).
class CScrollView : public CWnd {
public:
    static constexpr SIZE kDefaultSize = {0, 0};  // "use the default" for page and line sizes

    // Total size of the logical area, page size (default: the client size)
    // and line size (default: a tenth of the page) per axis.
    void SetScrollSizes(int mapMode, SIZE total, SIZE page = kDefaultSize, SIZE line = kDefaultSize);
    POINT GetScrollPosition() const { return position_; }
    void ScrollToPosition(POINT position);
    SIZE GetTotalSize() const { return total_; }

    virtual void OnDraw(HDC dc) = 0;
    virtual void OnInitialUpdate() { SetScrollSizes(MM_TEXT, SIZE{100, 100}); }

    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    void Paint();
    void Scroll(int bar, int request);
    void UpdateBars();
    int MaxPosition(int bar) const;

    SIZE total_ = {0, 0};
    SIZE page_ = {0, 0};
    SIZE line_ = {0, 0};
    POINT position_ = {0, 0};
};
