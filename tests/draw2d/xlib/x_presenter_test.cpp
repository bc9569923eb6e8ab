// The X presenter with the software driver's damage: after frames that change one small
// rectangle, and after the window is first shown (an exposure with nothing changed), the screen
// holds the back buffer everywhere.
#include "draw2d/draw_context.h"
#include "draw2d/graphics.h"
#include "draw2d/sdl/sdl_soft_host.h"
#include "draw2d/sdl/sdl_window.h"
#include "gui/events/pump.h"
#include "tests/support/block_frame.h"
#include "tests/support/wait_until.h"

#include <gtest/gtest.h>

// After gtest: Xlib's macros (None, Bool) would break its headers.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <memory>

namespace {

struct ConnectionCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};
struct ImageDestroyer {
    void operator()(XImage* image) const { XDestroyImage(image); }
};

class XPresenterTest : public ::testing::Test {
protected:
    void SetUp() override { SelectDriver(SoftwareDriver(SdlSoftWindowHost()), BackBufferFlag); }
    void TearDown() override {
        CloseDisplay();
        SelectDriver(nullptr, 0);
    }

    // Whether the screen holds the back buffer's pixels everywhere (counting those that differ).
    bool ScreenShowsBackBuffer(int32_t width, int32_t height, int& differing) {
        const std::unique_ptr<XImage, ImageDestroyer> shown(
            XGetImage(x_.get(), DefaultRootWindow(x_.get()), 0, 0, static_cast<unsigned>(width),
                      static_cast<unsigned>(height), AllPlanes, ZPixmap));
        const PixmapPtr back = GrabBackBuffer(0, 0, width, height);
        if (!shown || !back) return false;
        differing = 0;
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = 0; x < width; ++x)
                differing += (XGetPixel(shown.get(), x, y) & 0xFFFFFF) != (ReadPixel(*back, x, y) & 0xFFFFFF);
        return differing == 0;
    }

    std::unique_ptr<Display, ConnectionCloser> x_{XOpenDisplay(nullptr)};
};

} // namespace

TEST_F(XPresenterTest, AfterASmallChangeTheScreenHoldsTheBackBuffer) {
    ASSERT_TRUE(x_) << "needs an X display";
    const SDL_Rect screen = SdlScreenBounds();
    const GraphicsPtr graphics = OpenDisplay(screen.w, screen.h, 32, 0, 0);
    ASSERT_TRUE(graphics);
    int differing = -1;
    // The same frame over and over: only the window's exposure when it is mapped can show it.
    EXPECT_TRUE(WaitUntil(
        [&] {
            PollSystem();
            PresentBlockFrame(screen.w, screen.h, 100, 100);
            return ScreenShowsBackBuffer(screen.w, screen.h, differing);
        },
        kLivenessLimit, std::chrono::milliseconds(50)))
        << differing << " pixels differ";
    // One small rectangle changes: the screen follows without more frames.
    PresentBlockFrame(screen.w, screen.h, 103, 101);
    EXPECT_TRUE(WaitUntil([&] { return ScreenShowsBackBuffer(screen.w, screen.h, differing); }, kLivenessLimit,
                          std::chrono::milliseconds(50)))
        << differing << " pixels differ";
    // A change far from the first.
    PresentBlockFrame(screen.w, screen.h, screen.w - 40, screen.h - 30);
    EXPECT_TRUE(WaitUntil([&] { return ScreenShowsBackBuffer(screen.w, screen.h, differing); }, kLivenessLimit,
                          std::chrono::milliseconds(50)))
        << differing << " pixels differ";
}
