// The OpenGL driver's full-screen SDL display: it covers the X screen at its size, and a mode the
// screen does not have fails the display, not the process.
#include "draw2d/draw_context.h"
#include "draw2d/gl/gl_driver.h"
#include "draw2d/graphics.h"
#include "draw2d/sdl/sdl_window.h"

#include <gtest/gtest.h>

TEST(GlFullScreen, CoversTheScreenAtItsSize) {
    const SDL_Rect screen = SdlScreenBounds();
    ASSERT_GT(screen.w, 0);
    SelectDriver(OpenGLDriver(), BackBufferFlag);
    {
        const GraphicsPtr graphics = OpenDisplay(screen.w, screen.h, 32, 0, 0);
        ASSERT_TRUE(graphics);
        EXPECT_EQ(DisplayWidth(), screen.w);
        EXPECT_EQ(DisplayHeight(), screen.h);
        EXPECT_GT(CountDisplayModes(), 0);
        SetClearColor(255, 255, 0);
        ClearBackBuffer();
        const PixmapPtr corner = GrabBackBuffer(screen.w - 1, screen.h - 1, 1, 1);
        EXPECT_EQ(ReadPixel(*corner, 0, 0) & 0xFFFFFF, 0xFFFF00u);
        // A mode the screen does not have: the display fails, the process does not.
        EXPECT_EQ(OpenDisplay(screen.w + 7, screen.h + 3, 32, 60, 0), nullptr);
    }
    CloseDisplay();
    SelectDriver(nullptr, 0);
}
