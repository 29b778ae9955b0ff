// Portable rules of the custom controls: the edit filter, DPI arithmetic,
// and the icon strip's geometry, hit testing, scrolling and key moves.
#include <gtest/gtest.h>

#include "controls/DpiArithmetic.h"
#include "controls/EditFilter.h"
#include "controls/IconStripLayout.h"

namespace {

using editfilter::FilterText;
using editfilter::IsCharAllowed;

// ---- edit filter --------------------------------------------------------------

TEST(EditFilter, PortFieldTakesDigitsFullStopAndBackspaceOnly) {
    const int port = editfilter::kDigits;
    for (char16_t c = u'0'; c <= u'9'; ++c) EXPECT_TRUE(IsCharAllowed(port, false, c));
    EXPECT_TRUE(IsCharAllowed(port, false, u'.'));
    EXPECT_TRUE(IsCharAllowed(port, false, 8));
    for (char16_t c : {u'a', u'Z', u' ', u'-', u':', char16_t(0x7F), char16_t(0x1F)})
        EXPECT_FALSE(IsCharAllowed(port, false, c)) << int(c);
    EXPECT_FALSE(IsCharAllowed(port, false, u'８'));  // full-width digit
    EXPECT_FALSE(IsCharAllowed(port, true, u'８'));   // never above 0x7F
    EXPECT_TRUE(IsCharAllowed(port, true, u'a'));     // other ASCII when allowed
}

TEST(EditFilter, ServerFieldTakesPrintableAsciiWithoutBlanks) {
    const int server = editfilter::kPrintable;
    for (char16_t c = 0x21; c < 0x7F; ++c) EXPECT_TRUE(IsCharAllowed(server, false, c)) << int(c);
    EXPECT_FALSE(IsCharAllowed(server, false, u' '));
    EXPECT_FALSE(IsCharAllowed(server, false, u'\t'));
    EXPECT_FALSE(IsCharAllowed(server, false, u'あ'));
    EXPECT_TRUE(IsCharAllowed(server, true, u' '));     // exceptions field: blanks too
    EXPECT_TRUE(IsCharAllowed(server, true, u'\n'));
    EXPECT_FALSE(IsCharAllowed(server, true, u'あ'));
}

TEST(EditFilter, ModeZeroAndUnknownModesAllowEverything) {
    for (int mode : {0, 3, -1})
        for (char16_t c : {u'a', u' ', u'あ', u'８', char16_t(0xFFFF)}) EXPECT_TRUE(IsCharAllowed(mode, false, c));
}

TEST(EditFilter, PastedTextKeepsAllowedCharactersInOrder) {
    EXPECT_EQ(FilterText(editfilter::kDigits, false, u"80a80"), u"8080");
    EXPECT_EQ(FilterText(editfilter::kPrintable, false, u"abc.d あ"), u"abc.d");
    EXPECT_EQ(FilterText(editfilter::kNoFilter, false, u"abc.d あ"), u"abc.d あ");
    EXPECT_EQ(FilterText(editfilter::kDigits, false, u""), u"");
}

TEST(EditFilter, EditingAndClipboardControlCharactersBypassTheTypingFilter) {
    for (char16_t c : {char16_t(1), char16_t(3), char16_t(8), char16_t(0x16), char16_t(0x18), char16_t(0x1A),
                       char16_t(0x7F)})
        EXPECT_TRUE(editfilter::BypassesTypingFilter(c)) << int(c);
    for (char16_t c : {u' ', u'a', u'8', u'８'}) EXPECT_FALSE(editfilter::BypassesTypingFilter(c));
}

// ---- DPI arithmetic -------------------------------------------------------------

TEST(DpiArithmetic, ScalesLikeMulDiv) {
    for (int n : {0, 1, 16, 36, 42, 100, -7}) {
        EXPECT_EQ(dpi::Scale(n, 96), n);
        EXPECT_EQ(dpi::ScalePercent(n, 96), n);
    }
    EXPECT_EQ(dpi::Scale(100, 120), 125);
    EXPECT_EQ(dpi::Scale(100, 144), 150);
    EXPECT_EQ(dpi::Scale(1, 144), 2);     // 1.5 rounds away from zero
    EXPECT_EQ(dpi::Scale(-1, 144), -2);
    EXPECT_EQ(dpi::MulDiv(5, 1, 0), -1);
    EXPECT_EQ(dpi::ScalePercent(16, 120), 20);
    EXPECT_EQ(dpi::ScalePercent(36, 120), 45);
    EXPECT_EQ(dpi::ScalePercent(42, 144), 63);
    EXPECT_EQ(dpi::ScalePercent(44, 120), 55);
    EXPECT_EQ(dpi::ScalePercent(10, 108), 11);  // 112 %: 11.2 truncated
}

// ---- icon strip ------------------------------------------------------------------

iconstrip::Metrics SixIcons(int factor = 100) {
    iconstrip::Metrics m;
    m.imageWidth = 32;
    m.factorX = m.factorY = factor;
    return m;
}

TEST(IconStrip, ExtentOfSixIcons) {
    EXPECT_EQ(iconstrip::TotalWidth(SixIcons(), 6), 262);
    EXPECT_EQ(iconstrip::TotalWidth(SixIcons(), 1), 52);
    EXPECT_EQ(iconstrip::LineSize(SixIcons()), 14);
}

TEST(IconStrip, PositionsFrameAndHitRangeAt120Dpi) {
    const auto m = SixIcons(125);
    EXPECT_EQ(iconstrip::ItemOrigin(m, 1).x, 65);
    EXPECT_EQ(iconstrip::ItemOrigin(m, 1).y, 12);
    auto end = iconstrip::FrameEnd(m, 1);
    EXPECT_EQ(end.x - iconstrip::ItemOrigin(m, 1).x, 40);
    EXPECT_EQ(end.y - iconstrip::ItemOrigin(m, 1).y, 40);
    EXPECT_EQ(iconstrip::HitTest(m, 6, {65, 30}), -1);   // edges are outside
    EXPECT_EQ(iconstrip::HitTest(m, 6, {66, 30}), 1);
    EXPECT_EQ(iconstrip::HitTest(m, 6, {104, 30}), 1);
    EXPECT_EQ(iconstrip::HitTest(m, 6, {105, 30}), -1);
}

TEST(IconStrip, HitTestAt96Dpi) {
    const auto m = SixIcons();
    EXPECT_EQ(iconstrip::HitTest(m, 6, {11, 11}), 0);
    EXPECT_EQ(iconstrip::HitTest(m, 6, {41, 41}), 0);
    EXPECT_EQ(iconstrip::HitTest(m, 6, {47, 20}), -1);  // between two icons
    EXPECT_EQ(iconstrip::HitTest(m, 6, {20, 42}), -1);  // below
    EXPECT_EQ(iconstrip::HitTest(m, 6, {231, 20}), 5);
    EXPECT_EQ(iconstrip::HitTest(m, 5, {231, 20}), -1);  // only five items
}

TEST(IconStrip, ScrollIntoView) {
    const auto m = SixIcons();
    EXPECT_EQ(iconstrip::ScrollIntoView(m, 5, 0, 300), -1);      // already visible
    EXPECT_EQ(iconstrip::ScrollIntoView(m, 5, 0, 100), 162);     // 252 + 10 - 100
    EXPECT_EQ(iconstrip::ScrollIntoView(m, 1, 100, 100), 42);    // left of the view
    EXPECT_EQ(iconstrip::ScrollIntoView(m, 2, 40, 100), -1);
}

TEST(IconStrip, KeyMovesStopAtBothEnds) {
    using iconstrip::Key;
    EXPECT_EQ(iconstrip::KeyMove(Key::Left, 0, 6), -1);
    EXPECT_EQ(iconstrip::KeyMove(Key::Right, 5, 6), -1);
    EXPECT_EQ(iconstrip::KeyMove(Key::Left, 3, 6), 2);
    EXPECT_EQ(iconstrip::KeyMove(Key::Right, 3, 6), 4);
    EXPECT_EQ(iconstrip::KeyMove(Key::Home, 4, 6), 0);
    EXPECT_EQ(iconstrip::KeyMove(Key::End, 1, 6), 5);
    for (Key k : {Key::Left, Key::Right, Key::Home, Key::End}) {
        EXPECT_EQ(iconstrip::KeyMove(k, -1, 6), -1);  // nothing selected
        EXPECT_EQ(iconstrip::KeyMove(k, -1, 0), -1);
    }
}

}  // namespace
