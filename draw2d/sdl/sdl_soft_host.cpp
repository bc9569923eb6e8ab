// Presenting software frames in display windows: straight to X (shared memory, else XPutImage),
// or through the SDL window surface where X will not take the pixels as they are.
#include "draw2d/sdl/sdl_soft_host.h"

#include "draw2d/sdl/sdl_video.h"
#include "draw2d/sdl/sdl_window.h"
#include "draw2d/sdl/x_presenter.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>

#include <algorithm>

namespace {

class SurfacePresenter : public SoftPresenter {
public:
    explicit SurfacePresenter(std::unique_ptr<SdlDisplayWindow> window) : window_(std::move(window)) {}
    int32_t Width() const override { return window_->Width(); }
    int32_t Height() const override { return window_->Height(); }

    void Present(const uint32_t* pixels, int32_t width, int32_t height, int32_t pitch) override {
        SDL_Surface* surface = SDL_GetWindowSurface(window_->Window());
        if (!surface) return;
        const int32_t w = std::min(width, surface->w), h = std::min(height, surface->h);
        if (w <= 0 || h <= 0) return;
        if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
        SDL_ConvertPixels(w, h, SDL_PIXELFORMAT_ARGB8888, pixels, pitch * 4, surface->format->format, surface->pixels,
                          surface->pitch);
        if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
        SDL_UpdateWindowSurface(window_->Window());
    }

private:
    std::unique_ptr<SdlDisplayWindow> window_;
};

// The X window of an SDL window, created on the server (so that another connection can use it); 0
// when SDL is not on X.
uint64_t XWindowOf(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return 0;
    XSync(info.info.x11.display, False);
    return info.info.x11.window;
}

class SdlHost : public SoftWindowHost {
public:
    std::vector<TGraphicsMode> DisplayModes() override { return SdlDisplayModes(); }

    std::unique_ptr<SoftPresenter> OpenWindow(int32_t width, int32_t height, int32_t depth, int32_t hertz) override {
        std::unique_ptr<SdlDisplayWindow> window =
            SdlDisplayWindow::Open(width, height, depth, hertz, 0, "SetDisplayMode Failed result=-1");
        const uint64_t target = XWindowOf(window->Window());
        if (std::unique_ptr<SoftPresenter> x = MakeXPresenter(std::move(window), target)) return x;
        return std::make_unique<SurfacePresenter>(std::move(window));
    }

    std::unique_ptr<SoftPresenter> AttachWindow(uint64_t window) override {
        return MakeXPresenter(SdlDisplayWindow::Watch(window), window);
    }

    void SetPointerVisible(bool visible) override { SdlSetPointerVisible(visible); }
    void MovePointer(int32_t x, int32_t y) override { SdlMovePointer(x, y); }
};

} // namespace

std::shared_ptr<SoftWindowHost> SdlSoftWindowHost() {
    return std::make_shared<SdlHost>();
}
