// Display windows through SDL: creation, the full-screen mode retries, foreign windows.
#include "draw2d/sdl/sdl_window.h"

#include "draw2d/sdl/sdl_video.h"
#include "gui/sdl/sdl_pump.h"

#include <algorithm>

namespace {

int32_t DepthOf(uint32_t format) {
    const int32_t bits = static_cast<int32_t>(SDL_BITSPERPIXEL(format));
    // X reports 24-bit visuals stored in 32-bit pixels; SDL names them by their 24 bits.
    return bits == 24 ? 32 : bits;
}

// Switches the display the window is on to width x height (hertz 0: any rate); false when the
// screen has no such mode or refuses it.
bool SwitchMode(SDL_Window* window, int32_t width, int32_t height, int32_t depth, int32_t hertz) {
    const int displayIndex = std::max(SDL_GetWindowDisplayIndex(window), 0);
    const int count = SDL_GetNumDisplayModes(displayIndex);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(displayIndex, i, &mode) != 0) continue;
        if (mode.w != width || mode.h != height) continue;
        if (hertz != 0 && mode.refresh_rate != 0 && mode.refresh_rate != hertz) continue;
        if (depth > 16 && DepthOf(mode.format) < depth) continue;
        if (SDL_SetWindowDisplayMode(window, &mode) == 0 && SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN) == 0)
            return true;
    }
    return false;
}

} // namespace

std::unique_ptr<SdlDisplayWindow> SdlDisplayWindow::Open(int32_t width, int32_t height, int32_t depth, int32_t hertz,
                                                         uint32_t extraFlags, const std::string& modeError) {
    if (width <= 0 || height <= 0 || !StartSdlVideo()) throw DrawError("Failed to create window");
    std::unique_ptr<SdlDisplayWindow> made(new SdlDisplayWindow());
    made->width_ = width;
    made->height_ = height;
    if (depth == 0) {
        made->window_ = SDL_CreateWindow(kDisplayTitle, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height,
                                         SDL_WINDOW_SHOWN | extraFlags);
        if (!made->window_) throw DrawError("Failed to create window");
    } else {
        const SDL_Rect screen = SdlScreenBounds();
        made->window_ =
            SDL_CreateWindow(kDisplayTitle, screen.x, screen.y, width, height,
                             SDL_WINDOW_SHOWN | SDL_WINDOW_BORDERLESS | SDL_WINDOW_ALWAYS_ON_TOP | extraFlags);
        if (!made->window_) throw DrawError("Failed to create window");
        // A size other than the whole screen's needs a mode switch: as asked, without the rate,
        // with depth 32, and once more before giving up.
        if (width != screen.w || height != screen.h) {
            const bool switched = SwitchMode(made->window_, width, height, depth, hertz) ||
                                  (hertz != 0 && SwitchMode(made->window_, width, height, depth, 0)) ||
                                  (depth != 32 && SwitchMode(made->window_, width, height, 32, 0)) ||
                                  SwitchMode(made->window_, width, height, depth, 0);
            if (!switched) throw DrawError(modeError);
            made->modeChanged_ = true;
        }
        SDL_RaiseWindow(made->window_);
    }
    SdlPump()->WatchSdlWindow(SDL_GetWindowID(made->window_));
    return made;
}

std::unique_ptr<SdlDisplayWindow> SdlDisplayWindow::Watch(uint64_t window) {
    std::shared_ptr<ForeignWindowState> state = WatchForeignWindow(window);
    if (!state || state->gone) return nullptr;
    std::unique_ptr<SdlDisplayWindow> made(new SdlDisplayWindow());
    made->foreign_ = std::move(state);
    return made;
}

std::unique_ptr<SdlDisplayWindow> SdlDisplayWindow::Attach(uint64_t window, bool withOpenGL) {
    if (!StartSdlVideo()) return nullptr;
    std::unique_ptr<SdlDisplayWindow> made = Watch(window);
    if (!made) return nullptr;
    SDL_SetHint(SDL_HINT_VIDEO_FOREIGN_WINDOW_OPENGL, withOpenGL ? "1" : "0");
    made->window_ = SDL_CreateWindowFrom(reinterpret_cast<const void*>(static_cast<uintptr_t>(window)));
    if (!made->window_) return nullptr;
    return made;
}

SdlDisplayWindow::~SdlDisplayWindow() {
    if (!window_) return;
    if (modeChanged_) SDL_SetWindowFullscreen(window_, 0);
    SDL_DestroyWindow(window_);
}

int32_t SdlDisplayWindow::Width() const {
    if (!foreign_) return width_;
    ReadForeignWindowNotifications();
    return foreign_->width;
}

int32_t SdlDisplayWindow::Height() const {
    if (!foreign_) return height_;
    ReadForeignWindowNotifications();
    return foreign_->height;
}

bool SdlDisplayWindow::Lost() const {
    if (!foreign_) return false;
    ReadForeignWindowNotifications();
    return foreign_->gone;
}

std::vector<TGraphicsMode> SdlDisplayModes() {
    std::vector<TGraphicsMode> modes;
    if (!StartSdlVideo()) return modes;
    const int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(0, i, &mode) == 0)
            modes.push_back({mode.w, mode.h, DepthOf(mode.format), mode.refresh_rate});
    }
    return modes;
}

SDL_Rect SdlScreenBounds() {
    SDL_Rect all = {0, 0, 0, 0};
    if (!StartSdlVideo()) return all;
    const int displays = SDL_GetNumVideoDisplays();
    for (int i = 0; i < displays; ++i) {
        SDL_Rect bounds;
        if (SDL_GetDisplayBounds(i, &bounds) != 0) continue;
        if (all.w == 0)
            all = bounds;
        else
            SDL_UnionRect(&all, &bounds, &all);
    }
    return all;
}

void SdlSetPointerVisible(bool visible) {
    if (StartSdlVideo()) SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

void SdlMovePointer(int32_t x, int32_t y) {
    if (StartSdlVideo()) SDL_WarpMouseGlobal(x, y);
}
