// The OpenGL driver's Win32 windows through WGL: full screen is a topmost popup over the whole
// screen whose frames reach the screen and whose pointer hides; an attached display draws into a
// window of this process (as the preview's is), follows its size and is lost with it, and a window
// of another process is refused.
#include "tests/support/wait_until.h"

#include "draw2d/draw_context.h"
#include "draw2d/gl/gl_driver.h"
#include "draw2d/graphics.h"
#include "gui/events/pump.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>

namespace {

using std::chrono::milliseconds;

// The visible window of this thread that the display class made.
HWND DisplayWindow() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM result) -> BOOL {
            wchar_t name[64] = {};
            GetClassNameW(window, name, 64);
            if (IsWindowVisible(window) && lstrcmpW(name, L"CapsaroDisplay") == 0) {
                *reinterpret_cast<HWND*>(result) = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// The screen's pixel as GDI reads it, 0xRRGGBB.
uint32_t ScreenPixel(int32_t x, int32_t y) {
    HDC screen = GetDC(nullptr);
    const COLORREF pixel = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return (GetRValue(pixel) << 16) | (GetGValue(pixel) << 8) | GetBValue(pixel);
}

// Clears to `colour` and presents until the screen shows it at (x, y) or the liveness limit passes.
bool ShowsOnScreen(uint32_t colour, int32_t x, int32_t y) {
    return WaitUntil(
        [&] {
            PollSystem();
            SetClearColor(static_cast<int32_t>(colour >> 16), static_cast<int32_t>((colour >> 8) & 0xFF),
                          static_cast<int32_t>(colour & 0xFF));
            ClearBackBuffer();
            Flip(0);
            return ScreenPixel(x, y) == colour;
        },
        kLivenessLimit, milliseconds(20));
}

class WglDisplay : public ::testing::Test {
protected:
    void SetUp() override { SelectDriver(OpenGLDriver(), BackBufferFlag); }
    void TearDown() override {
        CloseDisplay();
        SelectDriver(nullptr, 0);
    }
};

// A stand-in for another program's window (a settings page's preview area).
class HostWindow {
public:
    HostWindow(int32_t width, int32_t height) {
        RECT frame{0, 0, width, height};
        AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
        window_ =
            CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, frame.right - frame.left,
                            frame.bottom - frame.top, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~HostWindow() { Destroy(); }
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;
    HWND Handle() const { return window_; }
    uint64_t Id() const { return reinterpret_cast<uintptr_t>(window_); }
    void Destroy() {
        if (window_) DestroyWindow(window_);
        window_ = nullptr;
    }

private:
    HWND window_ = nullptr;
};

} // namespace

TEST_F(WglDisplay, FullScreenIsATopmostPopupOverTheScreenWithItsFramesOnIt) {
    const int32_t width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    const GraphicsPtr graphics = OpenDisplay(width, height, 32, 0, 0);
    ASSERT_TRUE(graphics) << "no GL 3.3 core context through WGL";
    EXPECT_EQ(DisplayWidth(), width);
    EXPECT_EQ(DisplayHeight(), height);
    EXPECT_EQ(CountDisplayModes(), 1);
    HWND window = DisplayWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(GetWindowLongW(window, GWL_STYLE) & WS_POPUP);
    EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT rect{};
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, width);
    EXPECT_EQ(rect.bottom, height);
    EXPECT_TRUE(ShowsOnScreen(0xFFFF00, width - 1, height - 1));
    EXPECT_TRUE(ShowsOnScreen(0x0000FF, width / 2, height / 2));

    HidePointer();
    CURSORINFO cursor{};
    cursor.cbSize = sizeof cursor;
    ASSERT_TRUE(GetCursorInfo(&cursor));
    EXPECT_FALSE(cursor.flags & CURSOR_SHOWING);
    ShowPointer();
    ASSERT_TRUE(GetCursorInfo(&cursor));
    EXPECT_TRUE(cursor.flags & CURSOR_SHOWING);
}

TEST_F(WglDisplay, AnAttachedDisplayDrawsIntoTheWindowFollowsItsSizeAndIsLostWithIt) {
    HostWindow host(200, 150);
    ASSERT_NE(host.Handle(), nullptr);
    const GraphicsPtr graphics = AttachDisplay(host.Id(), 0);
    ASSERT_TRUE(graphics) << "no GL 3.3 core context through WGL";
    SelectDisplay(graphics);
    EXPECT_EQ(DisplayWidth(), 200);
    EXPECT_EQ(DisplayHeight(), 150);
    POINT corner{199, 149};
    ClientToScreen(host.Handle(), &corner);
    EXPECT_TRUE(ShowsOnScreen(0xFF0000, corner.x, corner.y));

    SetWindowPos(host.Handle(), nullptr, 0, 0, 160, 120, SWP_NOMOVE | SWP_NOZORDER);
    RECT client{};
    GetClientRect(host.Handle(), &client);
    ASSERT_LT(client.right, 200);
    EXPECT_EQ(DisplayWidth(), client.right);
    EXPECT_EQ(DisplayHeight(), client.bottom);
    POINT inside{client.right - 1, client.bottom - 1};
    ClientToScreen(host.Handle(), &inside);
    EXPECT_TRUE(ShowsOnScreen(0x00FF00, inside.x, inside.y));
    const PixmapPtr grab = GrabBackBuffer(client.right - 1, client.bottom - 1, 2, 1);
    ASSERT_TRUE(grab);
    EXPECT_EQ(ReadPixel(*grab, 0, 0) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(ReadPixel(*grab, 1, 0) & 0xFFFFFF, 0u); // beyond the area: black

    EXPECT_FALSE(graphics->Lost());
    host.Destroy();
    EXPECT_TRUE(graphics->Lost());
    // Drawing on into a lost display does nothing and fails nothing.
    ClearBackBuffer();
    Flip(0);
}

// A second display on a window that had one keeps the window's pixel format and draws again.
TEST_F(WglDisplay, AWindowCanBeAttachedAgain) {
    HostWindow host(120, 90);
    for (uint32_t colour : {0x0000FFu, 0xFFFF00u}) {
        const GraphicsPtr graphics = AttachDisplay(host.Id(), 0);
        ASSERT_TRUE(graphics);
        SelectDisplay(graphics);
        POINT middle{60, 45};
        ClientToScreen(host.Handle(), &middle);
        EXPECT_TRUE(ShowsOnScreen(colour, middle.x, middle.y)) << std::hex << colour;
        CloseDisplay();
    }
}

TEST_F(WglDisplay, WindowsOfOtherProcessesAndNoWindowAreRefused) {
    EXPECT_EQ(AttachDisplay(reinterpret_cast<uintptr_t>(GetDesktopWindow()), 0), nullptr);
    EXPECT_EQ(AttachDisplay(0x1234, 0), nullptr);
    EXPECT_EQ(AttachDisplay(0, 0), nullptr);
}
