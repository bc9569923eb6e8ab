// The headless render command: seeded, offscreen, frame by frame into PNG files.
#include "saver/render_command.h"

#include "saver/dispatch.h"
#include "saver/run_options.h"
#include "saver/saver.h"
#include "saver/show_loop.h"
#include "saver/show_views.h"

#include "draw2d/draw_context.h"
#include "draw2d/graphics.h"
#include "draw2d/pixmap_load.h"
#include "draw2d/png_io.h"
#include "draw2d/soft/soft_driver.h"
#include "runtime/file_paths.h"
#include "runtime/folders.h"
#include "runtime/program.h"
#include "runtime/random.h"

#include <cstdio>
#include <utility>

namespace {

// Relative paths are taken from the folder the program was started in, not the program's own.
std::string FromStartingFolder(const std::string& path) {
    // Absolute is the system's notion ("C:\\x" on Windows) or a path from the root.
    const bool absolute = !path.empty() && (path[0] == '/' || path[0] == '\\' || FilePath(path).is_absolute());
    return absolute ? path : JoinPath(StartingDirectory(), path);
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "capsaro: %s\n", message.c_str());
    return 2;
}

std::string FrameName(const std::string& folder, int frame) {
    char name[32];
    std::snprintf(name, sizeof name, "frame%04d.png", frame);
    return JoinPath(folder, name);
}

} // namespace

int RunRenderCommand(TSaver& saver, const RunOptions& options) {
    const std::string folder = FromStartingFolder(options.renderFolder);
    if (!MakeFolders(folder)) return Fail("cannot make the folder " + folder);

    saver.LoadSettings();
    ApplySettingOverrides(options, saver);
    SeedRandom(*options.seed);
    ResolveMotionMode();
    RunModeLetter = "s";
    if (!options.desktopPicture.empty()) {
        PixmapPtr desktop = LoadPixmap(FromStartingFolder(options.desktopPicture));
        if (!desktop) return Fail("cannot read the picture " + options.desktopPicture);
        SetDesktopCopy(std::move(desktop), 0);
    }

    SelectDriver(SoftwareDriver(), BackBufferFlag);
    if (!OpenDisplay(options.width, options.height, 32, 0, 0)) return Fail("cannot open an offscreen display");
    saver.ViewWidth = options.width;
    saver.ViewHeight = options.height;
    ShowViews = ViewsForMonitors(options.monitors, options.width, options.height);
    saver.CreateChillies(saver.ChilliCount);
    for (int frame = 0; frame < *options.frames; ++frame) {
        saver.Update();
        saver.Draw();
        const PixmapPtr picture = GrabBackBuffer(0, 0, options.width, options.height);
        if (!picture || !SavePixmapPng(*picture, FrameName(folder, frame), 5))
            return Fail("cannot write " + FrameName(folder, frame));
        Flip(-1);
    }
    CloseDisplay();
    return 0;
}
