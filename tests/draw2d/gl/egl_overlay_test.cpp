// The OpenGL driver's frames on the Wayland overlay: every output shows exactly its rectangle of
// the framebuffer the driver draws into, upright and at its own pixels (the second output at scale
// 2), and a display smaller than the outputs leaves the rest black. Runs only on the overlay
// (CAPSARO_TEST_GL_HOST=wayland), inside the headless sway with two outputs (1280 x 720, and
// 800 x 600 at scale 2 to its right) that the test command starts.
#include "gl_test_host.h"

#include "draw2d/draw_context.h"
#include "draw2d/graphics.h"
#include "tests/support/block_frame.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

class EglOverlay : public ::testing::Test {
protected:
    void SetUp() override {
        if (TestDisplayDepth() == 0) GTEST_SKIP() << "runs on the Wayland overlay only";
        SelectDriver(TestOpenGLDriver(), BackBufferFlag);
    }
    void TearDown() override {
        CloseDisplay();
        SelectDriver(nullptr, 0);
    }
    const TempFolder folder{"egl-overlay"};
};

} // namespace

TEST_F(EglOverlay, EveryOutputShowsItsRectangleUpright) {
    ASSERT_TRUE(OpenDisplay(2080, 720, 32, 60, 0));
    // A block near the top of each output in turn: a picture upside down, shifted or taken from
    // the wrong output shows it elsewhere. A few frames, so that every output has had one.
    for (const int32_t x : {100, 1300 + 600}) {
        for (int32_t frame = 0; frame < 4; ++frame)
            PresentBlockFrame(2080, 720, x, 40, 1);
        EXPECT_EQ(PixelsDifferingOnOutput("HEADLESS-1", 0, 1280, 720, folder.Path().string()), 0) << x;
        EXPECT_EQ(PixelsDifferingOnOutput("HEADLESS-2", 1280, 800, 600, folder.Path().string()), 0) << x;
    }
}

TEST_F(EglOverlay, OutputsBeyondTheDisplayAreBlack) {
    ASSERT_TRUE(OpenDisplay(1000, 500, 32, 60, 0));
    for (int32_t frame = 0; frame < 4; ++frame)
        PresentBlockFrame(1000, 500, 980, 480, 1);
    // The back buffer reads black outside the display, as the outputs should show it.
    EXPECT_EQ(PixelsDifferingOnOutput("HEADLESS-1", 0, 1280, 720, folder.Path().string()), 0);
    EXPECT_EQ(PixelsDifferingOnOutput("HEADLESS-2", 1280, 800, 600, folder.Path().string()), 0);
}
