// The operating-system services the saver itself calls: the screen's size, depth and refresh
// rate, a copy of the desktop's pixels, and the rectangles of another program's window. One
// implementation talks to the X server; a headless one serves tests.
#pragma once

#include "saver/saver.h"

#include "draw2d/pixmap.h"

#include <cstdint>
#include <memory>
#include <vector>

struct ScreenCaps {
    int32_t width = 0; // the whole screen, every monitor
    int32_t height = 0;
    int32_t depth = 0; // bits per pixel of the screen's visual
    int32_t planes = 1;
    int32_t refresh = 0; // hertz of the current mode
};

// A monitor's rectangle in the coordinates of the full-screen display: (0, 0) is the top-left
// corner of the rectangle that Screen() measures.
struct MonitorRect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool operator==(const MonitorRect& other) const {
        return x == other.x && y == other.y && width == other.width && height == other.height;
    }
};

class SaverPlatform {
public:
    virtual ~SaverPlatform() = default;
    // The screen's capabilities; false when there is no screen to ask (no X display).
    virtual bool Screen(ScreenCaps& caps) = 0;
    // What the saver says when Screen() fails: why the screen could not be measured.
    virtual const char* NoScreenText() const { return "the screen cannot be measured"; }
    // The monitors that show the screen, the primary one first; empty when the platform cannot
    // tell, and the whole screen is then one monitor.
    virtual std::vector<MonitorRect> Monitors() { return {}; }
    // True while the system has switched the display off to save power; the full-screen show then
    // draws nothing until it is on again.
    virtual bool DisplayOff() { return false; }
    // The desktop's pixels now as a FormatRGBA8888 pixmap with alpha 255; null when it cannot be read.
    virtual PixmapPtr CaptureDesktop() = 0;
    // Client rectangle (Left = Top = 0, Right/Bottom = client size) of a window by id; false and
    // the rectangle unchanged when the id names no window.
    virtual bool ClientRect(uint64_t window, TRect& rect) = 0;
    // The window's outer rectangle on the screen, in the units the configuration window is placed
    // in (on Windows the dialog's 96-DPI units); false and unchanged when the id names no window.
    virtual bool WindowRect(uint64_t window, TRect& rect) = 0;
    // A borderless child window of `parent` covering width x height from its top-left corner,
    // shown, named `title`; it lives until the program ends or its parent goes. 0 on failure.
    virtual uint64_t CreateChildWindow(uint64_t parent, int32_t width, int32_t height, const char* title) = 0;
    // The id of the screen's root window; 0 without a screen.
    virtual uint64_t RootWindowId() = 0;
    // The picture of the desktop a screen-saver daemon left on `window` (the pixmap named by its
    // _SCREENSAVER_SCREENSHOT property) as FormatRGBA8888 with alpha 255; null when there is none.
    virtual PixmapPtr CaptureWindowScreenshot(uint64_t window) = 0;
};

// The platform of this process: made on first use by the host table's factory (saver/hosts.h),
// headless when it names none, unless a test set another.
SaverPlatform& Platform();
void SetPlatform(std::unique_ptr<SaverPlatform> platform);

// A platform without a window system: a screen of the given caps (width 0: none) showing the
// given desktop picture on the given monitors, and windows whose client sizes the test names.
class HeadlessPlatform : public SaverPlatform {
public:
    ScreenCaps caps;
    PixmapPtr desktop;
    std::vector<MonitorRect> monitors;
    bool displayOff = false;
    struct Window {
        uint64_t id;
        TRect client, outer;
    };
    std::vector<Window> windows;

    bool Screen(ScreenCaps& out) override;
    std::vector<MonitorRect> Monitors() override { return monitors; }
    bool DisplayOff() override { return displayOff; }
    PixmapPtr CaptureDesktop() override;
    bool ClientRect(uint64_t window, TRect& rect) override;
    bool WindowRect(uint64_t window, TRect& rect) override;
    // Records the child and returns an id of its own (1000 onwards); 0 when the parent is unknown.
    uint64_t CreateChildWindow(uint64_t parent, int32_t width, int32_t height, const char* title) override;
    // Window 1 when the screen exists.
    uint64_t RootWindowId() override;
    // A copy of `desktop` for any known window; null otherwise.
    PixmapPtr CaptureWindowScreenshot(uint64_t window) override;
};
