// Frame pacing with a fake clock: calibration to the vertical blank, and clock pacing.
#include "draw2d/frame_pacing.h"

#include "runtime/clock.h"

#include <gtest/gtest.h>
#include <map>

namespace {

int32_t fakeNow = 0;
int32_t FakeClock() {
    return fakeNow;
}

class PacingTest : public ::testing::Test {
protected:
    void SetUp() override {
        fakeNow = 2147483000; // close to the wrap, so the arithmetic must wrap correctly
        SetClockSource(FakeClock);
    }
    void TearDown() override { SetClockSource(nullptr); }
};

} // namespace

TEST_F(PacingTest, ThreeFlipsOfAFrameSwitchToVerticalBlankPacing) {
    FramePacing pacing;
    int flips = 0;
    const int32_t durations[] = {30, 16, 17, 3, 16, 17, 16, 99};
    StartPacing(pacing, 60, 32, true, [&] { fakeNow = ClockAdd(fakeNow, durations[flips++]); });
    EXPECT_FALSE(pacing.softPacing);
    EXPECT_EQ(flips, 7);
}

TEST_F(PacingTest, FastFlipsKeepClockPacingAfterOneSecond) {
    FramePacing pacing;
    int flips = 0;
    StartPacing(pacing, 60, 32, true, [&] { fakeNow = ClockAdd(fakeNow, 1), ++flips; });
    EXPECT_TRUE(pacing.softPacing);
    EXPECT_EQ(flips, 1000);
}

TEST_F(PacingTest, NoRateOrAWindowOrNoSyncNeverCalibrates) {
    FramePacing pacing;
    int flips = 0;
    const auto flip = [&] { fakeNow = ClockAdd(fakeNow, 16), ++flips; };
    StartPacing(pacing, 0, 32, true, flip);
    EXPECT_FALSE(pacing.softPacing);
    StartPacing(pacing, 60, 0, true, flip);
    EXPECT_TRUE(pacing.softPacing);
    StartPacing(pacing, 60, 32, false, flip);
    EXPECT_TRUE(pacing.softPacing);
    EXPECT_EQ(flips, 0);
}

TEST_F(PacingTest, SixtyHertzSpreadsASecondOver40FramesOf17And20Of16) {
    FramePacing pacing;
    StartPacing(pacing, 60, 0, true, [] {});
    std::map<int32_t, int> frameLengths;
    const int32_t start = fakeNow;
    int32_t last = fakeNow;
    for (int frame = 0; frame < 60; ++frame) {
        fakeNow = ClockAdd(fakeNow, 1); // drawing and presenting take 1 ms
        fakeNow = ClockAdd(fakeNow, NextFrameWait(pacing));
        ++frameLengths[ClockDifference(fakeNow, last)];
        last = fakeNow;
    }
    EXPECT_EQ(ClockDifference(fakeNow, start), 1000);
    EXPECT_EQ(frameLengths[17], 40);
    EXPECT_EQ(frameLengths[16], 20);
}

TEST_F(PacingTest, LateFramesCarryNoDebtAndNegativeRatesNeverWait) {
    FramePacing pacing;
    StartPacing(pacing, 60, 0, true, [] {});
    fakeNow = ClockAdd(fakeNow, 500); // one very late frame
    EXPECT_EQ(NextFrameWait(pacing), 0);
    fakeNow = ClockAdd(fakeNow, 1);
    EXPECT_GE(NextFrameWait(pacing), 15); // the next frame waits a full period again

    StartPacing(pacing, -1, 32, true, [&] { fakeNow = ClockAdd(fakeNow, 16); });
    EXPECT_TRUE(pacing.softPacing);
    for (int frame = 0; frame < 100; ++frame)
        EXPECT_EQ(NextFrameWait(pacing), 0);
}
