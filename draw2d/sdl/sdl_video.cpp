// SDL video start-up on the X server.
#include "draw2d/sdl/sdl_video.h"

#include "draw2d/xlib/x_errors.h"
#include "gui/sdl/sdl_pump.h"

#include <SDL.h>

#include <cstdlib>

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
