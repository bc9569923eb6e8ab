// SDL video start-up and the process's non-fatal X error handler.
#include "draw2d/sdl/sdl_video.h"

#include "gui/sdl/sdl_pump.h"

#include <SDL.h>
#include <X11/Xlib.h>

#include <atomic>
#include <cstdlib>

namespace {

std::atomic<uint64_t> errorCount{0};

int RecordXError(Display*, XErrorEvent*) {
    errorCount.fetch_add(1, std::memory_order_relaxed);
    return 0;
}

} // namespace

void InstallXErrorHandler() {
    static const bool installed = [] {
        XSetErrorHandler(RecordXError);
        return true;
    }();
    (void)installed;
}

uint64_t XErrorCount() {
    return errorCount.load(std::memory_order_relaxed);
}

bool StartSdlVideo() {
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0) return true;
    // Foreign windows are X windows: no other video driver will do, and without X there is no
    // display to open (a console must not get a KMS/DRM screen).
    if (!std::getenv("SDL_VIDEODRIVER")) SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    SDL_SetHint(SDL_HINT_VIDEO_FOREIGN_WINDOW_OPENGL, "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    InstallXErrorHandler();
    SdlPump();
    return true;
}
