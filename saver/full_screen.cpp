// RunSaver: measure the screen, capture the desktop, open a full-screen display, and run the
// frame loop with screenshots until the user touches something.
#include "saver/full_screen.h"

#include "saver/display_power.h"
#include "saver/monitor_change.h"
#include "saver/platform.h"
#include "saver/saver.h"
#include "saver/settings_file.h"
#include "saver/show_loop.h"
#include "saver/show_views.h"

#include "draw2d/draw_context.h"
#include "draw2d/graphics.h"
#include "draw2d/png_io.h"
#include "draw2d/polled_input.h"
#include "gui/events/event.h"
#include "gui/events/key_codes.h"
#include "gui/events/queue.h"
#include "runtime/clock.h"
#include "runtime/convert.h"
#include "runtime/file_paths.h"
#include "runtime/folders.h"
#include "runtime/random.h"
#include "runtime/termination.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

int32_t LastMouseX = 0;
int32_t LastMouseY = 0;

namespace fs = std::filesystem;

namespace {

bool pointerSeen = false;

// The seed of a measured run (the show benchmark's).
constexpr int32_t kMeasureSeed = 12345;

bool NameTaken(const std::string& name) {
    std::error_code error;
    return fs::exists(FilePath(name), error);
}

void Say(const char* line) {
    std::fprintf(stderr, "capsaro: %s\n", line);
}

// Seconds to measure the frame rate for (CAPSARO_FPS); 0, the normal run, when unset.
int32_t MeasureSeconds() {
    const char* value = std::getenv("CAPSARO_FPS");
    return value ? std::max<int32_t>(0, TextToInt(value)) : 0;
}

} // namespace

PixmapPtr GrabDesktop() {
    SetDesktopCopy(Platform().CaptureDesktop());
    return DesktopPixmap;
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

namespace {

// Whether a new file of that name can be made there (made and removed again).
bool CanCreate(const std::string& name) {
    std::FILE* file = OpenFile(name, "wb");
    if (!file) return false;
    std::fclose(file);
    std::error_code error;
    fs::remove(FilePath(name), error);
    return true;
}

// Where the next screenshot goes: the first free name in the current folder (the program's), or,
// where no file can be made there (an installed copy in a system folder), in the user's settings
// folder, as the settings themselves.
std::string ScreenshotPath() {
    const std::string name = ScreenshotName(NameTaken);
    if (CanCreate(name)) return name;
    const std::string folder = UserSettingsFolder();
    if (folder.empty() || !MakeFolders(folder)) return name;
    return JoinPath(folder, ScreenshotName([&](const std::string& n) { return NameTaken(JoinPath(folder, n)); }));
}

} // namespace

void SaveScreenshot() {
    const std::string path = ScreenshotPath();
    const PixmapPtr picture = GrabBackBuffer(0, 0, DisplayWidth(), DisplayHeight());
    // The line tells only of a file that was written; a failure (a full disk) leaves none.
    if (picture && SavePixmapPng(*picture, path, 5)) {
        std::printf("Screenshot saved as %s\n", path.c_str());
        std::fflush(stdout);
    } else {
        std::fprintf(stderr, "capsaro: could not save the screenshot %s\n", path.c_str());
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
        Say(Platform().NoScreenText());
        return;
    }
    ViewWidth = caps.width;
    ViewHeight = caps.height;
    // Every monitor a view of its own; one monitor over the whole screen is the show as one view.
    ShowViews = ViewsForMonitors(Platform().Monitors(), ViewWidth, ViewHeight);
    int32_t depth = caps.depth;
    if (depth < 16) {
        depth = caps.planes;
        if (depth < 16) return;
    }
    const int32_t rate = caps.refresh < 60 ? -1 : caps.refresh;
    GrabDesktop();
    if (!OpenDisplay(ViewWidth, ViewHeight, depth, rate, 0)) {
        Say("could not open a full-screen display");
        return;
    }
    HidePointer();
    // A measured run starts from a fixed seed, so every run of either build shows the same two
    // varieties in the same places (the pictures differ in size, and so does a frame's cost); it
    // presents unpaced and counts frames from the end of the first one, whose texture uploads
    // would otherwise weigh on a short measurement.
    const int32_t measureSeconds = MeasureSeconds();
    if (measureSeconds > 0) SeedRandom(kMeasureSeed);
    CreateChillies(ChilliCount);
    FlushEvents();
    int32_t frames = -1;
    int32_t measureStart = 0;
    DisplayPowerWatch power;
    MonitorWatch monitorWatch(Platform().Monitors());
    while (!TerminationRequested()) {
        std::vector<MonitorRect> monitors;
        if (monitorWatch.Changed(monitors) && !ShowOnChangedMonitors(*this, monitors)) {
            Say("could not open a full-screen display");
            return;
        }
        if (KeyHitCount(KeyF12) != 0) SaveScreenshot();
        // While the display is off nothing is drawn: the loop waits on its events instead, and
        // the exit rules hold as ever.
        const bool off = power.DisplayOff();
        const int32_t id = off ? WaitEvent() : PollEvent();
        if (EventEndsSaver(id, EventX(), EventY())) {
            // An F12 that arrived after the check above is the key that ends the show: its
            // screenshot is still taken.
            if (KeyHitCount(KeyF12) != 0) SaveScreenshot();
            return;
        }
        if (off) continue;
        Update();
        Draw();
        Flip(measureSeconds > 0 ? 0 : -1);
        if (measureSeconds <= 0) continue;
        if (++frames == 0) measureStart = MillisecondClock();
        const int32_t elapsed = ClockDifference(MillisecondClock(), measureStart);
        if (elapsed >= measureSeconds * 1000) {
            std::fprintf(stderr, "capsaro: %d frames in %.3f s, %.1f frames a second\n", frames, elapsed / 1000.0,
                         frames * 1000.0 / elapsed);
            return;
        }
    }
}
