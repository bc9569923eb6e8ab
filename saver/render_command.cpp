// The headless render command: seeded, offscreen, frame by frame into PNG files.
#include "saver/render_command.h"

#include "saver/dispatch.h"
#include "saver/saver.h"
#include "saver/show_loop.h"

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

constexpr int kMaxFrames = 100000;

// A whole decimal number within [low, high]; nothing else is accepted.
bool ParseNumber(const std::string& text, long low, long high, int& value) {
    if (text.empty() || text.size() > 11) return false;
    size_t i = text[0] == '-' ? 1 : 0;
    if (i == text.size()) return false;
    for (size_t k = i; k < text.size(); ++k)
        if (text[k] < '0' || text[k] > '9') return false;
    const long parsed = std::strtol(text.c_str(), nullptr, 10);
    if (parsed < low || parsed > high) return false;
    value = static_cast<int>(parsed);
    return true;
}

bool ParseSize(const std::string& text, int& width, int& height) {
    const size_t x = text.find('x');
    return x != std::string::npos && ParseNumber(text.substr(0, x), 1, kMaxSoftDisplaySide, width) &&
           ParseNumber(text.substr(x + 1), 1, kMaxSoftDisplaySide, height);
}

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
    std::snprintf(name, sizeof name, "/frame%04d.png", frame);
    return folder + name;
}

} // namespace

bool IsRenderCommand(const std::vector<std::string>& arguments) {
    return arguments.size() > 1 && arguments[1] == "--render";
}

bool ParseRenderOptions(const std::vector<std::string>& arguments, RenderOptions& options, std::string& error) {
    bool haveFrames = false, haveSize = false, haveSeed = false;
    for (size_t i = 1; i < arguments.size(); i += 2) {
        const std::string& option = arguments[i];
        if (option != "--render" && option != "--frames" && option != "--size" && option != "--seed" &&
            option != "--desktop") {
            error = "unknown option '" + option +
                    "' (usage: capsaro --render DIR --frames N --size WxH --seed S [--desktop FILE.png])";
            return false;
        }
        if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
            error = "option " + option + " needs a value";
            return false;
        }
        const std::string& value = arguments[i + 1];
        bool ok = true;
        if (option == "--render") options.folder = value;
        if (option == "--desktop") options.desktop = value;
        if (option == "--frames") ok = haveFrames = ParseNumber(value, 1, kMaxFrames, options.frames);
        if (option == "--size") ok = haveSize = ParseSize(value, options.width, options.height);
        if (option == "--seed") ok = haveSeed = ParseNumber(value, INT32_MIN, INT32_MAX, options.seed);
        if (!ok) {
            error = "bad value '" + value + "' for " + option;
            return false;
        }
    }
    if (!haveFrames || !haveSize || !haveSeed) {
        error = std::string("missing ") + (!haveFrames ? "--frames N" : !haveSize ? "--size WxH" : "--seed S");
        return false;
    }
    return true;
}

int RunRenderCommand(TSaver& saver, const std::vector<std::string>& arguments) {
    RenderOptions options;
    std::string error;
    if (!ParseRenderOptions(arguments, options, error)) return Fail(error);
    const std::string folder = FromStartingFolder(options.folder);
    if (!MakeFolders(folder)) return Fail("cannot make the folder " + folder);

    saver.LoadSettings();
    SeedRandom(options.seed);
    ResolveMotionMode();
    RunModeLetter = "s";
    if (!options.desktop.empty()) {
        PixmapPtr desktop = LoadPixmap(FromStartingFolder(options.desktop));
        if (!desktop) return Fail("cannot read the picture " + options.desktop);
        SetDesktopCopy(std::move(desktop), 0);
    }

    SelectDriver(SoftwareDriver(), BackBufferFlag);
    if (!OpenDisplay(options.width, options.height, 32, 0, 0)) return Fail("cannot open an offscreen display");
    saver.ViewWidth = options.width;
    saver.ViewHeight = options.height;
    saver.CreateChillies(saver.ChilliCount);
    for (int frame = 0; frame < options.frames; ++frame) {
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
