// Layout arithmetic on one axis, and kids placed again when a window is sized.
#include "gadget_test_support.h"
#include "gui/gadgets/layout.h"

#include <climits>

namespace {

AxisSpan Place(int32_t lo, int32_t hi, AxisSpan ref, int32_t p0, int32_t p, AxisSpan current) {
    return LayoutAxis(lo, hi, ref, p0, p, current);
}

TEST(LayoutAxis, AlignedOnBothEdgesKeepsMarginsAndStretches) {
    const AxisSpan s = Place(LayoutAligned, LayoutAligned, {10, 100}, 200, 240, {10, 100});
    EXPECT_EQ(s.start, 10);
    EXPECT_EQ(s.extent, 140);
    // Shrinking below the margins gives a negative extent, as the arithmetic says.
    EXPECT_EQ(Place(LayoutAligned, LayoutAligned, {10, 100}, 200, 50, {10, 100}).extent, -50);
}

TEST(LayoutAxis, FreeOnBothEdgesKeepsWidthAndMovesCentreInProportion) {
    // Centre 60 of 200 -> 240 * 60 / 200 = 72; left = 72 - 50.
    const AxisSpan s = Place(LayoutFree, LayoutFree, {10, 100}, 200, 240, {10, 100});
    EXPECT_EQ(s.start, 22);
    EXPECT_EQ(s.extent, 100);
    // Odd widths: w0 div 2 truncates; 300 * (3 + 7) / 200 - 3 = 12.
    EXPECT_EQ(Place(LayoutFree, LayoutFree, {7, 7}, 200, 300, {7, 7}).start, 12);
}

TEST(LayoutAxis, OneFixedEdgeKeepsTheReferenceWidth) {
    // Right aligned, left free: moves with the right edge.
    AxisSpan s = Place(LayoutFree, LayoutAligned, {10, 100}, 200, 240, {10, 100});
    EXPECT_EQ(s.start, 50);
    EXPECT_EQ(s.extent, 100);
    // Left relative, right free: 240 * 10 / 200 = 12.
    s = Place(LayoutRelative, LayoutFree, {10, 100}, 200, 240, {10, 100});
    EXPECT_EQ(s.start, 12);
    EXPECT_EQ(s.extent, 100);
    // Both relative: 12 .. 240 * 110 / 200 = 132.
    s = Place(LayoutRelative, LayoutRelative, {10, 100}, 200, 240, {10, 100});
    EXPECT_EQ(s.start, 12);
    EXPECT_EQ(s.extent, 120);
}

TEST(LayoutAxis, DivisionTruncatesTowardZeroAndProductsWrapAt32Bits) {
    // -5 * 3 / 2 = -7 (truncated), not -8.
    EXPECT_EQ(Place(LayoutRelative, LayoutFree, {-5, 4}, 2, 3, {0, 0}).start, -7);
    // 65536 * 65536 wraps to 0 in 32 bits.
    EXPECT_EQ(Place(LayoutRelative, LayoutFree, {65536, 1}, 1, 65536, {0, 0}).start, 0);
    // A reference parent of 0 is taken as 1.
    EXPECT_EQ(Place(LayoutRelative, LayoutFree, {3, 1}, 0, 5, {0, 0}).start, 15);
}

TEST_F(GadgetTest, SizingAWindowPlacesItsKidsByTheirRules) {
    GadgetPtr window = CreateWindow("w", 0, 0, 200, 100, nullptr, 33);
    GadgetPtr stretched = CreatePanel(10, 10, 100, 50, window, 0);
    GadgetPtr centred = CreatePanel(10, 10, 100, 50, window, 0);
    GadgetPtr grandKid = CreatePanel(5, 5, 20, 20, stretched, 0);
    SetGadgetLayout(stretched, 1, 1, 1, 1);
    SetGadgetLayout(centred, 0, 0, 0, 0);
    SetGadgetLayout(grandKid, 0, 1, 1, 0);

    host->SizeWindow(window, 240, 100);
    ASSERT_EQ(NextEvent(), EventWindowSize);
    EXPECT_EQ(EventX(), 240);
    EXPECT_EQ(EventY(), 100);

    EXPECT_EQ(GadgetX(stretched), 10);
    EXPECT_EQ(GadgetWidth(stretched), 140);
    EXPECT_EQ(GadgetHeight(stretched), 50);
    EXPECT_EQ(GadgetX(centred), 22);
    EXPECT_EQ(GadgetWidth(centred), 100);
    // The stretched panel grew by 40, so its right-aligned kid moved by 40; the host shows it.
    EXPECT_EQ(GadgetX(grandKid), 45);
    EXPECT_EQ(HeadlessGadgetHost::Control(*grandKid).shape.x, 45);
}

TEST_F(GadgetTest, SetGadgetShapeRecordsANewReference) {
    GadgetPtr window = CreateWindow("w", 0, 0, 200, 100, nullptr, 33);
    GadgetPtr panel = CreatePanel(10, 10, 100, 50, window, 0);
    SetGadgetLayout(panel, 1, 1, 1, 1);
    SetGadgetShape(panel, 20, 10, 50, 50);
    host->SizeWindow(window, 300, 100);
    NextEvent();
    EXPECT_EQ(GadgetX(panel), 20);
    EXPECT_EQ(GadgetWidth(panel), 150);
}

} // namespace
