// Presenting software frames in SDL windows (window surface) and foreign X windows (XPutImage).
#include "draw2d/sdl/sdl_soft_host.h"

#include "draw2d/sdl/sdl_video.h"
#include "draw2d/sdl/sdl_window.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstring>
#include <vector>

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
        SDL_ConvertPixels(w, h, SDL_PIXELFORMAT_ARGB8888, pixels, pitch * 4, surface->format->format,
                          surface->pixels, surface->pitch);
        if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
        SDL_UpdateWindowSurface(window_->Window());
    }

private:
    std::unique_ptr<SdlDisplayWindow> window_;
};

// XPutImage into a foreign window on the watch connection. Only 24/32-bit TrueColor windows with
// the usual masks take 0xAARRGGBB rows as they are; others are refused when attaching.
class XImagePresenter : public SoftPresenter {
public:
    XImagePresenter(std::unique_ptr<SdlDisplayWindow> window, Visual* visual, int depth)
        : window_(std::move(window)), visual_(visual), depth_(depth) {}
    ~XImagePresenter() override {
        if (gc_) XFreeGC(ForeignWindowConnection(), gc_);
    }
    int32_t Width() const override { return window_->Width(); }
    int32_t Height() const override { return window_->Height(); }
    bool Lost() const override { return window_->Lost(); }

    void Present(const uint32_t* pixels, int32_t width, int32_t height, int32_t pitch) override {
        Display* display = ForeignWindowConnection();
        const int32_t w = std::min(width, Width()), h = std::min(height, Height());
        if (!display || w <= 0 || h <= 0 || Lost()) return;
        const Window target = window_->ForeignId();
        if (!gc_) gc_ = XCreateGC(display, target, 0, nullptr);
        XImage image{};
        image.width = w;
        image.height = h;
        image.format = ZPixmap;
        image.data = reinterpret_cast<char*>(const_cast<uint32_t*>(pixels));
        image.byte_order = LSBFirst;
        image.bitmap_unit = 32;
        image.bitmap_bit_order = LSBFirst;
        image.bitmap_pad = 32;
        image.depth = depth_;
        image.bytes_per_line = pitch * 4;
        image.bits_per_pixel = 32;
        image.red_mask = visual_->red_mask;
        image.green_mask = visual_->green_mask;
        image.blue_mask = visual_->blue_mask;
        if (!XInitImage(&image)) return;
        XPutImage(display, target, gc_, &image, 0, 0, 0, 0, static_cast<unsigned>(w), static_cast<unsigned>(h));
        XFlush(display);
    }

private:
    std::unique_ptr<SdlDisplayWindow> window_;
    Visual* visual_;
    int depth_;
    GC gc_ = nullptr;
};

class SdlHost : public SoftWindowHost {
public:
    std::vector<TGraphicsMode> DisplayModes() override { return SdlDisplayModes(); }

    std::unique_ptr<SoftPresenter> OpenWindow(int32_t width, int32_t height, int32_t depth, int32_t hertz) override {
        return std::make_unique<SurfacePresenter>(
            SdlDisplayWindow::Open(width, height, depth, hertz, 0, "SetDisplayMode Failed result=-1"));
    }

    std::unique_ptr<SoftPresenter> AttachWindow(uint64_t window) override {
        std::unique_ptr<SdlDisplayWindow> watched = SdlDisplayWindow::Watch(window);
        Display* display = ForeignWindowConnection();
        if (!watched || !display) return nullptr;
        XWindowAttributes attributes{};
        if (!XGetWindowAttributes(display, window, &attributes) || !attributes.visual) return nullptr;
        const Visual* visual = attributes.visual;
        if ((attributes.depth != 24 && attributes.depth != 32) || visual->red_mask != 0xFF0000 ||
            visual->green_mask != 0xFF00 || visual->blue_mask != 0xFF)
            return nullptr;
        return std::make_unique<XImagePresenter>(std::move(watched), attributes.visual, attributes.depth);
    }

    void SetPointerVisible(bool visible) override { SdlSetPointerVisible(visible); }
    void MovePointer(int32_t x, int32_t y) override { SdlMovePointer(x, y); }
};

}  // namespace

std::shared_ptr<SoftWindowHost> SdlSoftWindowHost() { return std::make_shared<SdlHost>(); }
