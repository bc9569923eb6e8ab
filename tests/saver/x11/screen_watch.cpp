// Screen sampling and waiting for the saver's tests under X.
#include "screen_watch.h"

#include "saver/x11/x11_platform.h"
#include "tests/support/wait_until.h"

namespace {

// Every fourth pixel of the area, or nothing when the screen cannot be read.
std::vector<uint32_t> Sample(const ScreenArea& area) {
    std::vector<uint32_t> pixels;
    const PixmapPtr screen = MakeX11Platform()->CaptureDesktop();
    if (!screen) return pixels;
    for (int32_t y = area.top; y < area.bottom && y < screen->height; y += 4)
        for (int32_t x = area.left; x < area.right && x < screen->width; x += 4)
            pixels.push_back(ReadPixel(*screen, x, y) & 0xFFFFFF);
    return pixels;
}

} // namespace

ScreenArea WholeScreen() {
    ScreenCaps caps;
    if (!MakeX11Platform()->Screen(caps)) return {};
    return {0, 0, caps.width, caps.height};
}

double ScreenShare(const ScreenArea& area, const std::function<bool(uint32_t)>& match, int32_t step) {
    const PixmapPtr screen = MakeX11Platform()->CaptureDesktop();
    if (!screen) return -1;
    size_t hits = 0, all = 0;
    for (int32_t y = area.top; y < area.bottom && y < screen->height; y += step)
        for (int32_t x = area.left; x < area.right && x < screen->width; x += step, ++all)
            hits += match(ReadPixel(*screen, x, y) & 0xFFFFFF);
    return all ? static_cast<double>(hits) / static_cast<double>(all) : -1;
}

bool WaitForScreen(const std::function<bool()>& shown) {
    return WaitUntil(shown, kLivenessLimit, std::chrono::milliseconds(50));
}

bool WaitForNewFrames(const ScreenArea& area, int count) {
    for (int frame = 0; frame < count; ++frame) {
        const std::vector<uint32_t> before = Sample(area);
        if (before.empty()) return false;
        if (!WaitForScreen([&] { return Sample(area) != before; })) return false;
    }
    return true;
}
