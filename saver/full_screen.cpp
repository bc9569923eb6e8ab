// RunSaver: measure the screen, capture the desktop, open a full-screen display, and run the
// frame loop with screenshots until the user touches something.
#include "saver/full_screen.h"

#include "saver/platform.h"
#include "saver/saver.h"

#include "draw2d/draw_context.h"
#include "draw2d/graphics.h"
#include "draw2d/png_io.h"
#include "draw2d/polled_input.h"
#include "gui/events/event.h"
#include "gui/events/key_codes.h"
#include "gui/events/queue.h"
#include "runtime/termination.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

int32_t LastMouseX = 0;
int32_t LastMouseY = 0;

namespace {

bool pointerSeen = false;

bool NameTaken(const std::string& name) {
    std::error_code error;
    return std::filesystem::exists(name, error);
}

void Say(const char* line) {
    std::fprintf(stderr, "capsaro: %s\n", line);
}

} // namespace

PixmapPtr GrabDesktop() {
    PixmapPtr desktop = Platform().CaptureDesktop();
    DesktopWidth = desktop ? desktop->width : 0;
    DesktopHeight = desktop ? desktop->height : 0;
    return desktop;
}

std::string ScreenshotName(const std::function<bool(const std::string&)>& taken) {
    std::string name = "Capsaro000.png";
    for (int n = 1; taken(name); ++n) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "screen%03d.png", n);
        name = buffer;
    }
    return name;
}

void SaveScreenshot() {
    const std::string name = ScreenshotName(NameTaken);
    const PixmapPtr picture = GrabBackBuffer(0, 0, DisplayWidth(), DisplayHeight());
    // The line tells only of a file that was written; a failure (a full disk) leaves none.
    if (picture && SavePixmapPng(*picture, name, 5)) {
        std::printf("Screenshot saved as %s\n", name.c_str());
        std::fflush(stdout);
    } else {
        std::fprintf(stderr, "capsaro: could not save the screenshot %s\n", name.c_str());
    }
}

bool EventEndsSaver(int32_t id, int32_t x, int32_t y) {
    if (id == EventMouseDown || id == EventKeyDown || id == EventAppTerminate || id == EventWindowClose) return true;
    if (id != EventMouseMove) return false;
    if (!pointerSeen) {
        pointerSeen = true;
        LastMouseX = x;
        LastMouseY = y;
    }
    if (std::abs(LastMouseX - x) > 1 || std::abs(LastMouseY - y) > 1) return true;
    LastMouseX = x;
    LastMouseY = y;
    return false;
}

void ResetSaverPointer() {
    pointerSeen = false;
}

void TSaver::RunSaver() {
    ScreenCaps caps;
    if (!Platform().Screen(caps)) {
        Say("no X display to show the saver on (is DISPLAY set?)");
        return;
    }
    ViewWidth = caps.width;
    ViewHeight = caps.height;
    int32_t depth = caps.depth;
    if (depth < 16) {
        depth = caps.planes;
        if (depth < 16) return;
    }
    const int32_t rate = caps.refresh < 60 ? -1 : caps.refresh;
    DesktopPixmap = GrabDesktop();
    DesktopImage = DesktopPixmap ? LoadImage(DesktopPixmap, kDefaultImageFlags) : nullptr;
    if (!OpenDisplay(ViewWidth, ViewHeight, depth, rate, 0)) {
        Say("could not open a full-screen display");
        return;
    }
    HidePointer();
    CreateChillies(ChilliCount);
    FlushEvents();
    while (!TerminationRequested()) {
        if (KeyHitCount(KeyF12) != 0) SaveScreenshot();
        const int32_t id = PollEvent();
        if (EventEndsSaver(id, EventX(), EventY())) return;
        Update();
        Draw();
        Flip(-1);
    }
}
