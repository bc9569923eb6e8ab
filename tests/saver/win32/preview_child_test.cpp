// The preview's window on Windows, in-process: inside a host window of the same process the
// platform makes a real child window (the form Windows uses across processes), and a display
// attached to it draws what is shown on the screen there. Also the screen's capabilities.
#include "saver/win32/win32_platform.h"

#include "draw2d/draw_context.h"
#include "draw2d/graphics.h"
#include "draw2d/win32/win32_window_host.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

// A visible top-level window standing in for the settings page, destroyed with the test.
class HostWindow {
public:
    HostWindow() {
        window_ = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP | WS_VISIBLE, 40, 60, 200, 150, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    }
    ~HostWindow() {
        if (IsWindow(window_)) DestroyWindow(window_);
    }
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;
    HWND Handle() const { return window_; }
    uint64_t Id() const { return reinterpret_cast<uintptr_t>(window_); }

private:
    HWND window_ = nullptr;
};

void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
}

TEST(Win32Preview, ItIsAChildOfTheHostAndTheDisplayDrawsIntoIt) {
    HostWindow host;
    ASSERT_NE(host.Handle(), nullptr);
    const auto platform = MakeWin32Platform();
    TRect client;
    ASSERT_TRUE(platform->ClientRect(host.Id(), client));
    EXPECT_EQ(client.Right, 200);
    EXPECT_EQ(client.Bottom, 150);

    const uint64_t id = platform->CreateChildWindow(host.Id(), 152, 112, "Capsaro Preview");
    auto* child = reinterpret_cast<HWND>(static_cast<uintptr_t>(id));
    ASSERT_TRUE(IsWindow(child));
    EXPECT_EQ(GetParent(child), host.Handle());
    EXPECT_NE(GetWindowLongPtrW(child, GWL_STYLE) & WS_CHILD, 0);

    SelectDriver(Win32SoftwareDriver(), 0);
    const GraphicsPtr canvas = AttachDisplay(id, 0);
    ASSERT_TRUE(canvas);
    EXPECT_EQ(canvas->Width(), 152);
    EXPECT_EQ(canvas->Height(), 112);
    // The host paints itself first (it does not clip its children), then the preview draws.
    PumpMessages();
    SelectDisplay(canvas);
    SetClearColor(200, 30, 10);
    ClearBackBuffer();
    Flip(-1);

    // What the screen shows inside the child window.
    HDC dc = GetDC(child);
    const COLORREF centre = GetPixel(dc, 76, 56);
    ReleaseDC(child, dc);
    EXPECT_EQ(GetRValue(centre), 200);
    EXPECT_EQ(GetGValue(centre), 30);
    EXPECT_EQ(GetBValue(centre), 10);

    SelectDisplay(nullptr);
    // The host going takes the preview window with it; the display sees it is lost.
    DestroyWindow(host.Handle());
    EXPECT_FALSE(IsWindow(child));
    EXPECT_TRUE(canvas->Lost());
}

TEST(Win32Preview, AHandleNamingNoWindowGivesNoRectanglesAndNoChild) {
    const auto platform = MakeWin32Platform();
    TRect rect;
    EXPECT_FALSE(platform->ClientRect(12345, rect));
    EXPECT_FALSE(platform->WindowRect(12345, rect));
    EXPECT_EQ(platform->CreateChildWindow(12345, 152, 112, "Capsaro Preview"), 0u);
    EXPECT_EQ(platform->CreateChildWindow(0, 152, 112, "Capsaro Preview"), 0u);
}

} // namespace
