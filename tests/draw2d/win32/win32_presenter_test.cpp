// The Win32 presenter with the software driver's damage: after the full-screen window is first
// painted (nothing changed, only the window shown) and after frames that change one small block,
// the screen holds the back buffer everywhere.
#include "draw2d/draw_context.h"
#include "draw2d/graphics.h"
#include "draw2d/win32/win32_window_host.h"
#include "draw2d/win32/win32_window_support.h"
#include "gui/events/pump.h"
#include "tests/support/block_frame.h"
#include "tests/support/wait_until.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

namespace {

class Win32PresenterTest : public ::testing::Test {
protected:
    void SetUp() override { SelectDriver(Win32SoftwareDriver(), BackBufferFlag); }
    void TearDown() override {
        CloseDisplay();
        SelectDriver(nullptr, 0);
    }

    // Whether the screen holds the back buffer's pixels everywhere (counting those that differ):
    // the screen copied into a top-down 32-bit DIB section, then compared.
    static bool ScreenShowsBackBuffer(int32_t width, int32_t height, int& differing) {
        const BITMAPINFO info = TopDownBitmapInfo(width, height);
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(memory, bitmap);
        const bool copied = bitmap && BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
        GdiFlush();
        std::vector<uint32_t> shown;
        if (copied)
            shown.assign(static_cast<const uint32_t*>(bits), static_cast<const uint32_t*>(bits) + width * height);
        SelectObject(memory, old);
        if (bitmap) DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
        const PixmapPtr back = GrabBackBuffer(0, 0, width, height);
        if (!copied || !back) return false;
        differing = 0;
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = 0; x < width; ++x)
                differing +=
                    (shown[static_cast<size_t>(y * width + x)] & 0xFFFFFF) != (ReadPixel(*back, x, y) & 0xFFFFFF);
        return differing == 0;
    }
};

} // namespace

TEST_F(Win32PresenterTest, AfterASmallChangeTheScreenHoldsTheBackBuffer) {
    const int32_t width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    const GraphicsPtr graphics = OpenDisplay(width, height, 32, 0, 0);
    ASSERT_TRUE(graphics);
    int differing = -1;
    // The same frame over and over: only the window's first paint can show it.
    EXPECT_TRUE(WaitUntil(
        [&] {
            PollSystem();
            PresentBlockFrame(width, height, 100, 100);
            return ScreenShowsBackBuffer(width, height, differing);
        },
        kLivenessLimit, std::chrono::milliseconds(50)))
        << differing << " pixels differ";
    // One small block changes: the screen follows without more frames (Wine shows what was drawn
    // into a window once its thread handles messages).
    const auto screenFollows = [&] {
        PollSystem();
        return ScreenShowsBackBuffer(width, height, differing);
    };
    PresentBlockFrame(width, height, 103, 101);
    EXPECT_TRUE(WaitUntil(screenFollows, kLivenessLimit, std::chrono::milliseconds(50)))
        << differing << " pixels differ";
    PresentBlockFrame(width, height, width - 40, height - 30);
    EXPECT_TRUE(WaitUntil(screenFollows, kLivenessLimit, std::chrono::milliseconds(50)))
        << differing << " pixels differ";
}
