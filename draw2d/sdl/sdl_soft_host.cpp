// Presenting software frames in display windows: straight to X (shared memory, else XPutImage),
// or through the SDL window surface where X will not take the pixels as they are.
#include "draw2d/sdl/sdl_soft_host.h"

#include "draw2d/sdl/sdl_window.h"
#include "draw2d/xlib/x_errors.h"
#include "draw2d/xlib/x_presenter.h"

#include <SDL_syswm.h>

#include <algorithm>

namespace {

// A display window as the X presenter sees it.
class PresentedSdlWindow : public XPresentedWindow {
public:
    explicit PresentedSdlWindow(std::unique_ptr<SdlDisplayWindow> window) : window_(std::move(window)) {}
    int32_t Width() const override { return window_->Width(); }
    int32_t Height() const override { return window_->Height(); }
    bool Lost() const override { return window_->Lost(); }

private:
    std::unique_ptr<SdlDisplayWindow> window_;
};

class SurfacePresenter : public SoftPresenter {
public:
    SurfacePresenter(std::unique_ptr<XPresentedWindow> window, SDL_Window* surfaceWindow)
        : window_(std::move(window)), surfaceWindow_(surfaceWindow) {}
    int32_t Width() const override { return window_->Width(); }
    int32_t Height() const override { return window_->Height(); }

    void Present(const uint32_t* pixels, int32_t width, int32_t height, int32_t pitch) override {
        SDL_Surface* surface = SDL_GetWindowSurface(surfaceWindow_);
        if (!surface) return;
        const int32_t w = std::min(width, surface->w), h = std::min(height, surface->h);
        if (w <= 0 || h <= 0) return;
        if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
        SDL_ConvertPixels(w, h, SDL_PIXELFORMAT_ARGB8888, pixels, pitch * 4, surface->format->format, surface->pixels,
                          surface->pitch);
        if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
        SDL_UpdateWindowSurface(surfaceWindow_);
    }

private:
    std::unique_ptr<XPresentedWindow> window_;
    SDL_Window* surfaceWindow_;
};

// The X window of an SDL window, created on the server (so that another connection can use it); 0
// when SDL is not on X.
uint64_t XWindowOf(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return 0;
    SyncX(info.info.x11.display);
    return info.info.x11.window;
}

class SdlHost : public SoftWindowHost {
public:
    std::vector<TGraphicsMode> DisplayModes() override { return SdlDisplayModes(); }

    std::unique_ptr<SoftPresenter> OpenWindow(int32_t width, int32_t height, int32_t depth, int32_t hertz) override {
        std::unique_ptr<SdlDisplayWindow> window =
            SdlDisplayWindow::Open(width, height, depth, hertz, 0, "SetDisplayMode Failed result=-1");
        SDL_Window* surfaceWindow = window->Window();
        const uint64_t target = XWindowOf(surfaceWindow);
        std::unique_ptr<XPresentedWindow> presented = std::make_unique<PresentedSdlWindow>(std::move(window));
        if (std::unique_ptr<SoftPresenter> x = MakeXPresenter(presented, target)) return x;
        return std::make_unique<SurfacePresenter>(std::move(presented), surfaceWindow);
    }

    std::unique_ptr<SoftPresenter> AttachWindow(uint64_t window) override {
        std::unique_ptr<SdlDisplayWindow> watched = SdlDisplayWindow::Watch(window);
        if (!watched) return nullptr;
        std::unique_ptr<XPresentedWindow> presented = std::make_unique<PresentedSdlWindow>(std::move(watched));
        return MakeXPresenter(presented, window);
    }

    void SetPointerVisible(bool visible) override { SdlSetPointerVisible(visible); }
    void MovePointer(int32_t x, int32_t y) override { SdlMovePointer(x, y); }
};

} // namespace

std::shared_ptr<SoftWindowHost> SdlSoftWindowHost() {
    return std::make_shared<SdlHost>();
}
