// Polled input: key hits counted once per press, repeats ignored, state cleared by suspension.
#include "draw2d/graphics.h"
#include "draw2d/polled_input.h"
#include "draw2d/soft/soft_driver.h"

#include "gui/events/event.h"
#include "gui/events/key_codes.h"
#include "gui/events/queue.h"

#include <gtest/gtest.h>

namespace {

class PolledInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        SelectDriver(SoftwareDriver(), BackBufferFlag);
        ASSERT_TRUE(OpenDisplay(32, 32, 0, 0, 0));
    }
    void TearDown() override {
        CloseDisplay();
        SelectDriver(nullptr, 0);
        while (PollEvent() != 0) {
        }
    }
};

} // namespace

TEST_F(PolledInputTest, TwoPressesCountTwiceThenZeroAndRepeatsNotAtAll) {
    for (int press = 0; press < 2; ++press) {
        EmitEvent(MakeEvent(EventKeyDown, nullptr, KeyF12));
        EmitEvent(MakeEvent(EventKeyRepeat, nullptr, KeyF12));
        EmitEvent(MakeEvent(EventKeyDown, nullptr, KeyF12)); // still down: not a new press
        EmitEvent(MakeEvent(EventKeyUp, nullptr, KeyF12));
    }
    EXPECT_EQ(KeyHitCount(KeyF12), 2);
    EXPECT_EQ(KeyHitCount(KeyF12), 0);
    EXPECT_EQ(KeyHitCount(0), 0);
    EXPECT_EQ(KeyHitCount(300), 0);
}

TEST_F(PolledInputTest, PointerWheelAndSuspension) {
    EmitEvent(MakeEvent(EventMouseMove, nullptr, 0, 0, 12, 34));
    EmitEvent(MakeEvent(EventMouseWheel, nullptr, -2));
    EmitEvent(MakeEvent(EventKeyDown, nullptr, KeyA));
    EXPECT_EQ(PointerX(), 12);
    EXPECT_EQ(PointerY(), 34);
    EXPECT_EQ(WheelTotal(), -2);
    EXPECT_EQ(KeyIsDown(KeyA), 1);
    EmitEvent(MakeEvent(EventAppSuspend));
    EXPECT_TRUE(AppSuspended());
    EXPECT_EQ(KeyIsDown(KeyA), 0);
    EXPECT_EQ(PointerX(), 0);
    EmitEvent(MakeEvent(EventAppResume));
    EXPECT_FALSE(AppSuspended());
}

TEST_F(PolledInputTest, ClosingTheDisplayStopsWatching) {
    CloseDisplay();
    EmitEvent(MakeEvent(EventKeyDown, nullptr, KeyF12));
    EXPECT_EQ(KeyHitCount(KeyF12), 0);
}
