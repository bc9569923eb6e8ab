// RunHostedShow: the show inside a window of a screen-saver daemon, paced by a timer at the
// screen's rate, resized with that window, ended by its destruction or by a termination signal.
#include "saver/hosted.h"

#include "saver/show_loop.h"

#include "draw2d/draw_context.h"
#include "draw2d/graphics.h"
#include "gui/events/timer.h"

#include <cstdio>

namespace {

constexpr int32_t kAssumedRate = 60;

// The window's size now: a changed size becomes the view and the viewport.
void FollowSize(TSaver& saver, const TGraphics& canvas) {
    const int32_t width = canvas.Width(), height = canvas.Height();
    if (width <= 0 || height <= 0 || (width == saver.ViewWidth && height == saver.ViewHeight)) return;
    saver.ViewWidth = width;
    saver.ViewHeight = height;
    SetViewport(0, 0, width, height);
}

} // namespace

uint64_t HostedWindow(const RunOptions& options, const char* environmentWindow, SaverPlatform& platform) {
    if (options.windowId != 0) return options.windowId;
    if (environmentWindow)
        if (const uint64_t window = ParseWindowId(environmentWindow)) return window;
    return platform.RootWindowId();
}

bool HostedBackgroundNeedsClear(int32_t viewWidth, int32_t viewHeight) {
    if (!IsOn(UseDesktop)) return false;
    return !DesktopImage || DesktopWidth < viewWidth || DesktopHeight < viewHeight;
}

void RunHostedShow(TSaver& saver, uint64_t window) {
    TRect client;
    if (window == 0 || !Platform().ClientRect(window, client)) {
        std::fprintf(stderr, "capsaro: no window %llu to draw into\n", static_cast<unsigned long long>(window));
        return;
    }
    RunModeLetter = "s";
    // The desktop as the daemon saw it before blanking; loaded before the display is attached, so
    // with the layer's initial image flags, like the full-screen show's copy.
    SetDesktopCopy(Platform().CaptureWindowScreenshot(window));

    const GraphicsPtr canvas = AttachShowCanvas(window, window);
    if (!canvas) return;
    saver.ViewWidth = canvas->Width();
    saver.ViewHeight = canvas->Height();
    saver.CreateChillies(saver.ChilliCount);

    ScreenCaps caps;
    const int32_t rate = Platform().Screen(caps) && caps.refresh >= 30 ? caps.refresh : kAssumedRate;
    const ScopedTimer timer(CreateTimer(static_cast<float>(rate), nullptr));
    // One step of the show per frame: ticks that come while a frame is pending merge into it.
    RunShowLoop(*canvas, {nullptr, [&saver, &canvas] {
                              FollowSize(saver, *canvas);
                              saver.Update();
                              if (HostedBackgroundNeedsClear(saver.ViewWidth, saver.ViewHeight)) ClearBackBuffer();
                              saver.Draw();
                          }});
}
