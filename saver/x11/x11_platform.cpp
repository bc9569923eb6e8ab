// The X server's answers to the saver's questions: screen size, depth and rate, the desktop's
// pixels in one image request, and other programs' window rectangles.
#include "saver/x11/x11_platform.h"
#include "saver/x11/x11_monitors.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/Xrandr.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstring>

namespace {

// A rate the screen does not report (Xvfb reports 0) is taken as 60 Hz, so that frames are paced
// instead of running unthrottled.
constexpr int32_t kAssumedRefresh = 60;

// X errors of the requests in scope (a window id that names no window) are counted, not fatal.
class ErrorTrap {
public:
    explicit ErrorTrap(Display* display) : display_(display) {
        XSync(display_, False);
        errors_ = 0;
        previous_ = XSetErrorHandler(Count);
    }
    ~ErrorTrap() {
        XSync(display_, False);
        XSetErrorHandler(previous_);
    }
    bool Failed() {
        XSync(display_, False);
        return errors_ != 0;
    }

private:
    static int Count(Display*, XErrorEvent*) {
        ++errors_;
        return 0;
    }
    static inline int errors_ = 0;
    Display* display_;
    int (*previous_)(Display*, XErrorEvent*);
};

int MaskShift(unsigned long mask) {
    int shift = 0;
    while (mask && !(mask & 1))
        mask >>= 1, ++shift;
    return shift;
}

int MaskBits(unsigned long mask) {
    int bits = 0;
    for (; mask; mask >>= 1)
        bits += static_cast<int>(mask & 1);
    return bits;
}

// One channel of an X pixel scaled to 8 bits.
uint32_t Channel(unsigned long pixel, int shift, int bits) {
    if (bits <= 0) return 0;
    const unsigned long value = (pixel >> shift) & ((1ul << bits) - 1);
    return bits >= 8 ? static_cast<uint32_t>(value >> (bits - 8))
                     : static_cast<uint32_t>(value * 255 / ((1ul << bits) - 1));
}

// An XImage of the root window, released by its destructor (shared memory when the server offers it).
class RootImage {
public:
    RootImage(Display* display, int screen, int width, int height) : display_(display) {
        Window root = RootWindow(display, screen);
        Visual* visual = DefaultVisual(display, screen);
        const int depth = DefaultDepth(display, screen);
        if (XShmQueryExtension(display)) {
            image_ = XShmCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, nullptr, &shm_,
                                     static_cast<unsigned>(width), static_cast<unsigned>(height));
            if (image_) {
                shm_.shmid =
                    shmget(IPC_PRIVATE, static_cast<size_t>(image_->bytes_per_line) * static_cast<size_t>(height),
                           IPC_CREAT | 0600);
                shm_.shmaddr = image_->data =
                    shm_.shmid >= 0 ? static_cast<char*>(shmat(shm_.shmid, nullptr, 0)) : reinterpret_cast<char*>(-1);
                shm_.readOnly = False;
                bool ok = shm_.shmaddr != reinterpret_cast<char*>(-1);
                if (ok) {
                    ErrorTrap trap(display);
                    ok = XShmAttach(display, &shm_) && !trap.Failed();
                    attached_ = ok;
                    ok = ok && XShmGetImage(display, root, image_, 0, 0, AllPlanes) && !trap.Failed();
                }
                if (shm_.shmid >= 0) shmctl(shm_.shmid, IPC_RMID, nullptr);
                if (ok) return;
                Release();
            }
        }
        ErrorTrap trap(display);
        image_ = XGetImage(display, root, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height), AllPlanes,
                           ZPixmap);
        if (trap.Failed() && image_) Release();
    }
    ~RootImage() { Release(); }
    RootImage(const RootImage&) = delete;
    RootImage& operator=(const RootImage&) = delete;
    XImage* Get() const { return image_; }

private:
    void Release() {
        if (!image_) return;
        if (shm_.shmaddr && shm_.shmaddr != reinterpret_cast<char*>(-1)) {
            if (attached_) XShmDetach(display_, &shm_);
            XSync(display_, False);
            shmdt(shm_.shmaddr);
            image_->data = nullptr;
            shm_.shmaddr = nullptr;
        }
        XDestroyImage(image_);
        image_ = nullptr;
    }
    Display* display_;
    XImage* image_ = nullptr;
    XShmSegmentInfo shm_{};
    bool attached_ = false;
};

class X11Platform : public SaverPlatform {
public:
    X11Platform() : display_(XOpenDisplay(nullptr)) {}
    ~X11Platform() override {
        if (display_) XCloseDisplay(display_);
    }
    X11Platform(const X11Platform&) = delete;
    X11Platform& operator=(const X11Platform&) = delete;

    bool Screen(ScreenCaps& caps) override {
        if (!display_) return false;
        const int screen = DefaultScreen(display_);
        caps.width = DisplayWidth(display_, screen);
        caps.height = DisplayHeight(display_, screen);
        caps.depth = DefaultDepth(display_, screen);
        caps.planes = 1;
        caps.refresh = Refresh(screen);
        return true;
    }

    const char* NoScreenText() const override { return "no X display to show the saver on (is DISPLAY set?)"; }

    std::vector<MonitorRect> Monitors() override { return X11Monitors(display_); }
    bool DisplayOff() override { return X11DisplayOff(display_); }

    PixmapPtr CaptureDesktop() override {
        if (!display_) return nullptr;
        const int screen = DefaultScreen(display_);
        const int width = DisplayWidth(display_, screen);
        const int height = DisplayHeight(display_, screen);
        const RootImage root(display_, screen, width, height);
        XImage* image = root.Get();
        if (!image) return nullptr;
        PixmapPtr pixmap = CreatePixmap(width, height, FormatRGBA8888, 4);
        if (!pixmap) return nullptr;
        Visual* visual = DefaultVisual(display_, screen);
        Convert(*image, visual, *pixmap);
        return pixmap;
    }

    bool ClientRect(uint64_t window, TRect& rect) override {
        int x, y;
        unsigned width, height, border;
        if (!Geometry(window, x, y, width, height, border)) return false;
        rect = {0, 0, static_cast<int32_t>(width), static_cast<int32_t>(height)};
        return true;
    }

    bool WindowRect(uint64_t window, TRect& rect) override {
        int x, y;
        unsigned width, height, border;
        if (!Geometry(window, x, y, width, height, border)) return false;
        ErrorTrap trap(display_);
        int rootX = 0, rootY = 0;
        Window child;
        XTranslateCoordinates(display_, static_cast<Window>(window), DefaultRootWindow(display_), 0, 0, &rootX, &rootY,
                              &child);
        if (trap.Failed()) return false;
        const auto b = static_cast<int32_t>(border);
        rect = {rootX - b, rootY - b, rootX + static_cast<int32_t>(width) + b,
                rootY + static_cast<int32_t>(height) + b};
        return true;
    }

    uint64_t CreateChildWindow(uint64_t parent, int32_t width, int32_t height, const char* title) override {
        if (!display_ || parent == 0 || width <= 0 || height <= 0) return 0;
        ErrorTrap trap(display_);
        const int screen = DefaultScreen(display_);
        const Window child = XCreateSimpleWindow(display_, static_cast<Window>(parent), 0, 0,
                                                 static_cast<unsigned>(width), static_cast<unsigned>(height), 0,
                                                 BlackPixel(display_, screen), BlackPixel(display_, screen));
        if (trap.Failed() || child == 0) return 0;
        XStoreName(display_, child, title);
        XMapWindow(display_, child);
        if (trap.Failed()) return 0;
        return child;
    }

    uint64_t RootWindowId() override { return display_ ? DefaultRootWindow(display_) : 0; }

    PixmapPtr CaptureWindowScreenshot(uint64_t window) override {
        if (!display_ || window == 0) return nullptr;
        const Pixmap source = ScreenshotPixmap(static_cast<Window>(window));
        if (source == None) return nullptr;
        ErrorTrap trap(display_);
        Window root;
        int x, y;
        unsigned width, height, border, depth;
        const Status known = XGetGeometry(display_, source, &root, &x, &y, &width, &height, &border, &depth);
        const int screen = DefaultScreen(display_);
        // The pixels are read through the default visual's masks, so only a pixmap of its depth.
        if (!known || trap.Failed() || static_cast<int>(depth) != DefaultDepth(display_, screen)) return nullptr;
        XImage* image = XGetImage(display_, source, 0, 0, width, height, AllPlanes, ZPixmap);
        if (trap.Failed() || !image) {
            if (image) XDestroyImage(image);
            return nullptr;
        }
        PixmapPtr pixmap = CreatePixmap(static_cast<int32_t>(width), static_cast<int32_t>(height), FormatRGBA8888, 4);
        if (pixmap) Convert(*image, DefaultVisual(display_, screen), *pixmap);
        XDestroyImage(image);
        return pixmap;
    }

private:
    // The pixmap id in the window's _SCREENSAVER_SCREENSHOT property; None when it has none.
    Pixmap ScreenshotPixmap(Window window) {
        const Atom property = XInternAtom(display_, "_SCREENSAVER_SCREENSHOT", True);
        if (property == None) return None;
        ErrorTrap trap(display_);
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        const int status = XGetWindowProperty(display_, window, property, 0, 1, False, XA_PIXMAP, &type, &format,
                                              &count, &after, &data);
        Pixmap pixmap = None;
        if (status == Success && !trap.Failed() && type == XA_PIXMAP && format == 32 && count == 1 && data)
            pixmap = static_cast<Pixmap>(*reinterpret_cast<unsigned long*>(data));
        if (data) XFree(data);
        return pixmap;
    }

    int32_t Refresh(int screen) {
        int eventBase, errorBase;
        if (!XRRQueryExtension(display_, &eventBase, &errorBase)) return kAssumedRefresh;
        XRRScreenConfiguration* config = XRRGetScreenInfo(display_, RootWindow(display_, screen));
        if (!config) return kAssumedRefresh;
        const short rate = XRRConfigCurrentRate(config);
        XRRFreeScreenConfigInfo(config);
        return rate > 0 ? rate : kAssumedRefresh;
    }

    bool Geometry(uint64_t window, int& x, int& y, unsigned& width, unsigned& height, unsigned& border) {
        if (!display_ || window == 0) return false;
        ErrorTrap trap(display_);
        Window root;
        unsigned depth;
        const Status ok =
            XGetGeometry(display_, static_cast<Window>(window), &root, &x, &y, &width, &height, &border, &depth);
        return ok && !trap.Failed();
    }

    // Pixels through the visual's masks into R, G, B, 255; a fast path for 32-bit 8-8-8 pixels.
    static void Convert(const XImage& image, const Visual* visual, TPixmap& pixmap) {
        const int rShift = MaskShift(visual->red_mask), rBits = MaskBits(visual->red_mask);
        const int gShift = MaskShift(visual->green_mask), gBits = MaskBits(visual->green_mask);
        const int bShift = MaskShift(visual->blue_mask), bBits = MaskBits(visual->blue_mask);
        const bool fast =
            image.bits_per_pixel == 32 && image.byte_order == LSBFirst && rBits == 8 && gBits == 8 && bBits == 8;
        for (int32_t y = 0; y < pixmap.height; ++y) {
            uint8_t* out = pixmap.Row(y);
            if (fast) {
                const char* row = image.data + static_cast<intptr_t>(y) * image.bytes_per_line;
                for (int32_t x = 0; x < pixmap.width; ++x, out += 4) {
                    uint32_t p;
                    std::memcpy(&p, row + x * 4, 4);
                    out[0] = static_cast<uint8_t>(p >> rShift);
                    out[1] = static_cast<uint8_t>(p >> gShift);
                    out[2] = static_cast<uint8_t>(p >> bShift);
                    out[3] = 255;
                }
                continue;
            }
            for (int32_t x = 0; x < pixmap.width; ++x, out += 4) {
                const unsigned long p = XGetPixel(const_cast<XImage*>(&image), x, y);
                out[0] = static_cast<uint8_t>(Channel(p, rShift, rBits));
                out[1] = static_cast<uint8_t>(Channel(p, gShift, gBits));
                out[2] = static_cast<uint8_t>(Channel(p, bShift, bBits));
                out[3] = 255;
            }
        }
    }

    Display* display_;
};

} // namespace

std::unique_ptr<SaverPlatform> MakeX11Platform() {
    return std::make_unique<X11Platform>();
}
