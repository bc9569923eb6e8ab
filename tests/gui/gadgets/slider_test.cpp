// Sliders: the start state, ranges and clamping per kind, and the user's scroll-bar moves.
#include "gadget_test_support.h"
#include "gui/gadgets/gadget_events.h"
#include "gui/gadgets/slider_rules.h"

namespace {

class SliderTest : public GadgetTest {
protected:
    GadgetPtr Make(int32_t style) { return CreateSlider(0, 0, 137, 15, window, style); }
    GadgetPtr window = CreateWindow("w", 0, 0, 300, 200, nullptr, 1);
};

TEST_F(SliderTest, ANewSliderHasRangeOneToTenAndPositionZero) {
    GadgetPtr slider = Make(1);
    EXPECT_EQ(slider->range0, 1);
    EXPECT_EQ(slider->range1, 10);
    EXPECT_EQ(SliderValue(slider), 0);
    EXPECT_EQ(HeadlessGadgetHost::Control(*slider).range1, 10);
}

TEST_F(SliderTest, AScrollBarRunsFromZeroToTotalMinusPage) {
    GadgetPtr slider = Make(1);
    SetSliderRange(slider, 1, 1000);
    SetSliderValue(slider, 1000);
    EXPECT_EQ(SliderValue(slider), 999);
    EXPECT_EQ(HeadlessGadgetHost::Control(*slider).position, 999);
    SetSliderValue(slider, -5);
    EXPECT_EQ(SliderValue(slider), 0);
    // A smaller range pulls the position in.
    SetSliderValue(slider, 500);
    SetSliderRange(slider, 1, 30);
    EXPECT_EQ(SliderValue(slider), 29);
    // A page larger than the total leaves only position 0.
    SetSliderRange(slider, 50, 10);
    SetSliderValue(slider, 3);
    EXPECT_EQ(SliderValue(slider), 0);
}

TEST_F(SliderTest, TrackBarsAndSteppersClampToTheirRange) {
    GadgetPtr track = Make(SliderTrackBar * 4);
    SetSliderRange(track, -20, 20);
    SetSliderValue(track, 25);
    EXPECT_EQ(SliderValue(track), 20);
    SetSliderValue(track, -21);
    EXPECT_EQ(SliderValue(track), -20);

    GadgetPtr stepper = Make(SliderStepper * 4);
    SetSliderRange(stepper, -100000, 100000);
    SetSliderValue(stepper, 99999);
    EXPECT_EQ(SliderValue(stepper), kStepperHighest);
}

TEST_F(SliderTest, ArrowsMoveByOneAndTheTroughByAPageClampedAtTheEnds) {
    GadgetPtr slider = Make(1);
    SetSliderRange(slider, 10, 100);
    SetSliderValue(slider, 85);
    host->ClickArrow(slider, true);
    ASSERT_EQ(NextEvent(), EventGadgetAction);
    EXPECT_EQ(EventData(), 86);
    host->ClickTrough(slider, true);
    ASSERT_EQ(NextEvent(), EventGadgetAction);
    EXPECT_EQ(EventData(), 90);
    host->ClickArrow(slider, true);
    ASSERT_EQ(NextEvent(), EventGadgetAction);
    EXPECT_EQ(EventData(), 90);
    host->ClickTrough(slider, false);
    NextEvent();
    EXPECT_EQ(EventData(), 80);
    EXPECT_EQ(HeadlessGadgetHost::Control(*slider).position, 80);
    host->DragThumb(slider, -3);
    NextEvent();
    EXPECT_EQ(EventData(), 0);
    host->ClickArrow(slider, false);
    NextEvent();
    EXPECT_EQ(EventData(), 0);
}

// Home and End reach a scroll bar as moves to its start and its end, which move nothing and send
// nothing.
TEST_F(SliderTest, HomeAndEndOnAScrollBarDoNothing) {
    GadgetPtr slider = Make(1);
    SetSliderRange(slider, 1, 1000);
    SetSliderValue(slider, 500);
    UserScrolled(*slider, ScrollMove::End, 999);
    UserScrolled(*slider, ScrollMove::Start, 0);
    EXPECT_EQ(NextEvent(), 0);
    EXPECT_EQ(SliderValue(slider), 500);
    EXPECT_EQ(HeadlessGadgetHost::Control(*slider).position, 500);
}

TEST_F(SliderTest, ADragTakenLateArrivesAsOneActionWithTheLastPosition) {
    GadgetPtr slider = Make(1);
    SetSliderRange(slider, 1, 1000);
    for (int32_t p : {10, 20, 30, 2000})
        host->DragThumb(slider, p);
    ASSERT_EQ(NextEvent(), EventGadgetAction);
    EXPECT_EQ(EventData(), 999);
    EXPECT_EQ(NextEvent(), 0);
}

TEST_F(SliderTest, TrackBarDragsReportTheClampedValue) {
    GadgetPtr track = Make(SliderTrackBar * 4 + 1);
    SetSliderRange(track, 1, 30);
    host->DragThumb(track, 31);
    ASSERT_EQ(NextEvent(), EventGadgetAction);
    EXPECT_EQ(EventData(), 30);
    EXPECT_EQ(SliderValue(track), 30);
}

} // namespace
