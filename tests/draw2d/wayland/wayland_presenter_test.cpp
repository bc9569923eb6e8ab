// The Wayland overlay with the software driver's damage: after frames that change one small
// rectangle, drawn while the outputs' buffers take turns, every output shows its part of the back
// buffer exactly. Runs inside a headless sway with two outputs (1280 x 720, and 800 x 600 at scale
// 2 to its right), which the test command starts.
#include "draw2d/draw_context.h"
#include "draw2d/graphics.h"
#include "draw2d/soft/soft_driver.h"
#include "draw2d/wayland/wayland_soft_host.h"
#include "tests/support/block_frame.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

constexpr int32_t kWidth = 2080, kHeight = 720;

class WaylandPresenterTest : public ::testing::Test {
protected:
    void SetUp() override { SelectDriver(SoftwareDriver(WaylandSoftWindowHost()), BackBufferFlag); }
    void TearDown() override {
        CloseDisplay();
        SelectDriver(nullptr, 0);
    }
};

} // namespace

TEST_F(WaylandPresenterTest, OutputsHoldTheBackBufferAfterFramesThatChangeALittle) {
    ASSERT_TRUE(OpenDisplay(kWidth, kHeight, 32, 60, 0));
    const TempFolder folder("wayland-presenter");
    // The block jumps further than the damage's tiles across both outputs, over the border between
    // them, then stays put for a few frames, so the last shown frame of every output is the back
    // buffer; a buffer that missed a frame still shows the block where that frame left it unless
    // it is brought up to date.
    for (int32_t step = 0; step < 24; ++step)
        PresentBlockFrame(kWidth, kHeight, 600 + step * 41, 100 + step * 17, 1);
    for (int32_t still = 0; still < 4; ++still)
        PresentBlockFrame(kWidth, kHeight, 600 + 23 * 41, 100 + 23 * 17, 1);
    EXPECT_EQ(PixelsDifferingOnOutput("HEADLESS-1", 0, 1280, 720, folder.Path().string()), 0);
    EXPECT_EQ(PixelsDifferingOnOutput("HEADLESS-2", 1280, 800, 600, folder.Path().string()), 0);

    // Back to where it started: every buffer of each output owes a different set of rectangles.
    for (int32_t still = 0; still < 4; ++still)
        PresentBlockFrame(kWidth, kHeight, 600, 100, 1);
    EXPECT_EQ(PixelsDifferingOnOutput("HEADLESS-1", 0, 1280, 720, folder.Path().string()), 0);
    EXPECT_EQ(PixelsDifferingOnOutput("HEADLESS-2", 1280, 800, 600, folder.Path().string()), 0);
}
