// The monitors as the full-screen display sees them: the system's rectangles moved by the virtual
// screen's origin, which is negative when a monitor lies left of or above the primary, with the
// primary first; and what the platform reports on the test's screen.
#include "saver/win32/win32_monitors.h"
#include "saver/win32/win32_platform.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <ostream>

std::ostream& operator<<(std::ostream& out, const MonitorRect& r) {
    return out << "{" << r.x << ", " << r.y << ", " << r.width << " x " << r.height << "}";
}

namespace {

using Rects = std::vector<MonitorRect>;

TEST(DisplayMonitors, OneMonitorCoversTheDisplay) {
    EXPECT_EQ(DisplayMonitors({{0, 0, 1920, 1080, true}}, 0, 0), (Rects{{0, 0, 1920, 1080}}));
}

TEST(DisplayMonitors, AMonitorLeftOfThePrimaryShiftsThePrimaryRightAndComesSecond) {
    // The system names the left one first; the virtual screen starts at its left edge.
    const std::vector<MonitorArea> areas{{-1280, 200, 0, 920, false}, {0, 0, 1920, 1080, true}};
    EXPECT_EQ(DisplayMonitors(areas, -1280, 0), (Rects{{1280, 0, 1920, 1080}, {0, 200, 1280, 720}}));
}

TEST(DisplayMonitors, MonitorsAboveAndBesideWithGapsKeepTheirGapsAndOrder) {
    // One above the primary (a gap to its left), one right of it with a gap and lower down, one
    // far left and above: the virtual origin is the leftmost left and the topmost top.
    const std::vector<MonitorArea> areas{{200, -768, 1224, 0, false},
                                         {2000, 100, 2800, 700, false},
                                         {0, 0, 1920, 1080, true},
                                         {-640, -1248, 0, -768, false}};
    EXPECT_EQ(DisplayMonitors(areas, -640, -1248),
              (Rects{{640, 1248, 1920, 1080}, {840, 480, 1024, 768}, {2640, 1348, 800, 600}, {0, 0, 640, 480}}));
}

TEST(DisplayMonitors, OverlappingMonitorsAtTheOriginStayOverlapping) {
    // Two heads placed at 0,0 alike, as Wine reports them on an X server with Xinerama screens.
    const std::vector<MonitorArea> areas{{0, 0, 1280, 720, true}, {0, 0, 800, 600, false}};
    EXPECT_EQ(DisplayMonitors(areas, 0, 0), (Rects{{0, 0, 1280, 720}, {0, 0, 800, 600}}));
}

TEST(DisplayMonitors, EmptyRectanglesAreLeftOutAndWithoutAPrimaryTheOrderStays) {
    const std::vector<MonitorArea> areas{
        {100, 0, 100, 600, false}, {0, 0, 640, 480, false}, {640, 0, 1440, 600, false}, {0, 50, 10, 40, true}};
    EXPECT_EQ(DisplayMonitors(areas, 0, 0), (Rects{{0, 0, 640, 480}, {640, 0, 800, 600}}));
    EXPECT_TRUE(DisplayMonitors({}, -10, -10).empty());
}

TEST(Win32Monitors, ThePlatformsMonitorsLieOnItsScreenThePrimaryFirst) {
    const auto platform = MakeWin32Platform();
    ScreenCaps caps;
    ASSERT_TRUE(platform->Screen(caps));
    EXPECT_EQ(caps.width, GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_EQ(caps.height, GetSystemMetrics(SM_CYVIRTUALSCREEN));
    const Rects monitors = platform->Monitors();
    ASSERT_EQ(monitors.size(), static_cast<size_t>(GetSystemMetrics(SM_CMONITORS)));
    for (const MonitorRect& m : monitors) {
        EXPECT_GE(m.x, 0) << m;
        EXPECT_GE(m.y, 0) << m;
        EXPECT_LE(m.x + m.width, caps.width) << m;
        EXPECT_LE(m.y + m.height, caps.height) << m;
    }
    // The primary's top-left corner is the screen's (0, 0), which lies at the virtual origin's negative.
    EXPECT_EQ(monitors[0].x, -GetSystemMetrics(SM_XVIRTUALSCREEN));
    EXPECT_EQ(monitors[0].y, -GetSystemMetrics(SM_YVIRTUALSCREEN));
    EXPECT_EQ(monitors[0].width, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(monitors[0].height, GetSystemMetrics(SM_CYSCREEN));

    const PixmapPtr desktop = platform->CaptureDesktop();
    ASSERT_TRUE(desktop);
    EXPECT_EQ(desktop->width, caps.width);
    EXPECT_EQ(desktop->height, caps.height);
}

} // namespace
