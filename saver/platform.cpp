// The process's platform and the headless platform.
#include "saver/platform.h"

#include "saver/hosts.h"

namespace {

std::unique_ptr<SaverPlatform> current;

const HeadlessPlatform::Window* Find(const std::vector<HeadlessPlatform::Window>& windows, uint64_t id) {
    for (const HeadlessPlatform::Window& window : windows)
        if (window.id == id) return &window;
    return nullptr;
}

} // namespace

SaverPlatform& Platform() {
    if (!current) {
        const SaverHosts& hosts = CurrentSaverHosts();
        if (hosts.makePlatform) current = hosts.makePlatform();
        if (!current) current = std::make_unique<HeadlessPlatform>();
    }
    return *current;
}

void SetPlatform(std::unique_ptr<SaverPlatform> platform) {
    current = std::move(platform);
}

bool HeadlessPlatform::Screen(ScreenCaps& out) {
    if (caps.width <= 0) return false;
    out = caps;
    return true;
}

PixmapPtr HeadlessPlatform::CaptureDesktop() {
    return desktop ? CopyPixmap(*desktop) : nullptr;
}

bool HeadlessPlatform::ClientRect(uint64_t window, TRect& rect) {
    const Window* found = Find(windows, window);
    if (!found) return false;
    rect = found->client;
    return true;
}

bool HeadlessPlatform::WindowRect(uint64_t window, TRect& rect) {
    const Window* found = Find(windows, window);
    if (!found) return false;
    rect = found->outer;
    return true;
}

uint64_t HeadlessPlatform::CreateChildWindow(uint64_t parent, int32_t width, int32_t height, const char*) {
    if (!Find(windows, parent)) return 0;
    const uint64_t id = 1000 + windows.size();
    windows.push_back({id, {0, 0, width, height}, {0, 0, width, height}});
    return id;
}

uint64_t HeadlessPlatform::RootWindowId() {
    return caps.width > 0 ? 1 : 0;
}

PixmapPtr HeadlessPlatform::CaptureWindowScreenshot(uint64_t window) {
    return desktop && Find(windows, window) ? CopyPixmap(*desktop) : nullptr;
}
