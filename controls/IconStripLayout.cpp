#include "controls/IconStripLayout.h"

namespace iconstrip {

namespace {
constexpr int kFrameSize = 32;
}

Point ItemOrigin(const Metrics& m, int index) {
    return {m.Sx(index * m.itemPitch + m.leftMargin), m.Sy(m.topMargin)};
}

Point FrameEnd(const Metrics& m, int index) {
    Point origin = ItemOrigin(m, index);
    return {origin.x + m.Sx(kFrameSize), origin.y + m.Sy(kFrameSize)};
}

int HitTest(const Metrics& m, int count, Point p) {
    for (int i = 0; i < count; ++i) {
        int left = m.Sx(i * m.itemPitch + m.leftMargin);
        int top = m.Sy(m.topMargin);
        int right = m.Sx(i * m.itemPitch + m.leftMargin + m.imageWidth);
        int bottom = m.Sy(m.topMargin + m.imageWidth);
        if (p.x > left && p.x < right && p.y > top && p.y < bottom) return i;
    }
    return -1;
}

int TotalWidth(const Metrics& m, int count) {
    return m.leftMargin + m.rightMargin + m.imageWidth + m.itemPitch * (count - 1);
}

int ScrollIntoView(const Metrics& m, int index, int scrollX, int clientWidth) {
    const int itemLeft = index * m.itemPitch + m.leftMargin;
    const int itemRight = itemLeft + m.imageWidth;
    int target = -1;
    if (itemLeft < scrollX) target = index * m.itemPitch;
    if (clientWidth + scrollX < itemRight) target = itemRight + m.rightMargin - clientWidth;
    return target;
}

int KeyMove(Key key, int selected, int count) {
    if (selected < 0 || selected >= count) return -1;
    switch (key) {
        case Key::Left: return selected > 0 ? selected - 1 : -1;
        case Key::Right: return selected < count - 1 ? selected + 1 : -1;
        case Key::Home: return 0;
        case Key::End: return count - 1;
    }
    return -1;
}

}  // namespace iconstrip
