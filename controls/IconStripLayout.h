#pragma once
// Geometry, hit testing, scrolling and key moves of the icon strip
// (one row of icons). Portable; sizes in pixels.

namespace iconstrip {

struct Point {
    int x;
    int y;
};

struct Metrics {
    int leftMargin = 10;
    int topMargin = 10;
    int rightMargin = 10;
    int itemPitch = 42;
    int imageWidth = 0;
    int factorX = 100;  // horizontal scaling in per cent (CDPIMgr::ScaleX(100))
    int factorY = 100;  // vertical scaling in per cent

    int Sx(int v) const { return v * factorX / 100; }
    int Sy(int v) const { return v * factorY / 100; }
};

// Top-left corner of the item at array position `index`, in logical coordinates.
Point ItemOrigin(const Metrics& m, int index);
// Far corner of the selection frame of that item (32 × 32 before scaling).
Point FrameEnd(const Metrics& m, int index);
// Array position hit by a logical point (strictly inside), or -1.
int HitTest(const Metrics& m, int count, Point logical);
// Width of the scroll extent for `count` items.
int TotalWidth(const Metrics& m, int count);
inline int LineSize(const Metrics& m) { return m.itemPitch / 3; }

// New horizontal scroll position that shows the item at `index`, or -1
// when the position stays.
int ScrollIntoView(const Metrics& m, int index, int scrollX, int clientWidth);

enum class Key { Left, Right, Home, End };
// The position to select after the key, or -1 when nothing changes.
int KeyMove(Key key, int selected, int count);

}  // namespace iconstrip
