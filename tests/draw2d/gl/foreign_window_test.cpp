// Displays attached to a window that another process owns, with either driver: the drawing area
// follows the owner's resizing, and when the owner destroys the window the drawing process
// survives, the display reports it lost and a "WindowClose" arrives from the registered source.
#include "draw2d/draw_context.h"
#include "draw2d/gl/gl_driver.h"
#include "draw2d/graphics.h"
#include "draw2d/sdl/sdl_soft_host.h"
#include "draw2d/xlib/foreign_window.h"
#include "gui/events/pump.h"
#include "gui/events/queue.h"
#include "tests/support/wait_until.h"
#include "window_owner.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <thread>

namespace {

// Pumps and draws frames until `done` holds or the liveness limit passes.
template <typename Done> bool DrawUntil(Done done) {
    return WaitUntil(
        [&] {
            PollSystem();
            ClearBackBuffer();
            DrawText("alive", 4, 4);
            Flip(-1);
            return done();
        },
        kLivenessLimit);
}

class ForeignWindowTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        SelectDriver(GetParam() ? OpenGLDriver() : SoftwareDriver(SdlSoftWindowHost()), BackBufferFlag);
    }
    void TearDown() override { SelectDriver(nullptr, 0); }
};

} // namespace

TEST_P(ForeignWindowTest, FollowsResizeAndSurvivesTheOwnerDestroyingIt) {
    WindowOwner owner;
    ASSERT_NE(owner.Window(), 0u);
    auto canvas = std::make_shared<TObject>();
    SetForeignWindowSource(owner.Window(), canvas);
    GraphicsPtr graphics = AttachDisplay(owner.Window(), 0);
    ASSERT_TRUE(graphics);
    SelectDisplay(graphics);
    EXPECT_EQ(DisplayWidth(), 200);
    EXPECT_EQ(DisplayHeight(), 150);

    ASSERT_TRUE(owner.Command('r'));
    EXPECT_TRUE(DrawUntil([] { return DisplayWidth() == 300 && DisplayHeight() == 100; }));

    ASSERT_TRUE(owner.Command('d'));
    bool closed = false;
    EXPECT_TRUE(DrawUntil([&] {
        while (PollEvent() != 0)
            if (EventID() == EventWindowClose && EventSource() == canvas) closed = true;
        return closed;
    }));
    EXPECT_TRUE(graphics->Lost());
    // Drawing into the vanished window goes on quietly.
    for (int i = 0; i < 5; ++i) {
        ClearBackBuffer();
        Flip(0);
    }
    SelectDisplay(nullptr);
    graphics.reset();
}

TEST_P(ForeignWindowTest, AWindowThatDoesNotExistGivesNull) {
    EXPECT_EQ(AttachDisplay(0x7FFFFF0, 0), nullptr);
}

INSTANTIATE_TEST_SUITE_P(BothDrivers, ForeignWindowTest, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& param) {
                             return param.param ? "OpenGL" : "Software";
                         });
