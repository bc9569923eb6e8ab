// What both X11 host drivers, and the choice between them, do without an X display.
#include "draw2d/draw_context.h"
#include "draw2d/gl/gl_driver.h"
#include "draw2d/graphics.h"
#include "draw2d/sdl/sdl_soft_host.h"
#include "draw2d/select/driver_select.h"

#include <gtest/gtest.h>

#include <cstdlib>

// Each test runs in its own process under CTest; without DISPLAY, SDL video cannot start.
class NoXDisplay : public ::testing::Test {
protected:
    void SetUp() override {
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
    }
    void TearDown() override {
        CloseDisplay();
        SelectDriver(nullptr, 0);
    }
};

TEST_F(NoXDisplay, OpenDisplayGivesNullWithEitherDriver) {
    SelectDriver(OpenGLDriver(), BackBufferFlag);
    EXPECT_EQ(OpenDisplay(640, 480, 0, 0, 0), nullptr);
    EXPECT_EQ(OpenDisplay(640, 480, 32, 60, 0), nullptr);
    EXPECT_EQ(AttachDisplay(0x1234, 0), nullptr);
    SelectDriver(SoftwareDriver(SdlSoftWindowHost()), BackBufferFlag);
    EXPECT_EQ(OpenDisplay(640, 480, 0, 0, 0), nullptr);
    EXPECT_EQ(OpenDisplay(640, 480, 32, 0, 0), nullptr);
    EXPECT_EQ(AttachDisplay(0x1234, 0), nullptr);
    EXPECT_EQ(OpenGLRendererName(), "");
}

TEST_F(NoXDisplay, SelectionGivesADriverWhoseDisplaysFailQuietly) {
    unsetenv("CAPSARO_DRIVER");
    DrawDriverPtr driver = SelectHostDriver();
    ASSERT_TRUE(driver);
    EXPECT_STREQ(driver->Name(), "software");
    SelectDriver(driver, BackBufferFlag);
    EXPECT_EQ(OpenDisplay(320, 200, 0, 0, 0), nullptr);
    EXPECT_EQ(CountDisplayModes(), 0);
}
