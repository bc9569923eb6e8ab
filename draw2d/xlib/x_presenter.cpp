// XShmPutImage / XPutImage presenting of software frames, with the shared segment as the back buffer.
#include "draw2d/xlib/x_presenter.h"

#include "draw2d/xlib/foreign_window.h"
#include "draw2d/xlib/x_errors.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <cstring>

namespace {

constexpr uint32_t kOpaqueBlack = 0xFF000000u;

// One shared-memory XImage, attached to the server; detached and released on destruction.
class ShmFrame {
public:
    static std::unique_ptr<ShmFrame> Make(Display* display, Visual* visual, int depth, int32_t width, int32_t height) {
        std::unique_ptr<ShmFrame> frame(new ShmFrame(display));
        frame->image_ = XShmCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, nullptr, &frame->info_,
                                        static_cast<unsigned>(width), static_cast<unsigned>(height));
        XImage* image = frame->image_;
        if (!image || image->bits_per_pixel != 32 || image->bytes_per_line % 4 != 0) return nullptr;
        const size_t bytes = static_cast<size_t>(image->bytes_per_line) * static_cast<size_t>(height);
        frame->info_.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
        if (frame->info_.shmid < 0) return nullptr;
        void* address = shmat(frame->info_.shmid, nullptr, 0);
        if (address == reinterpret_cast<void*>(-1)) return nullptr;
        frame->info_.shmaddr = image->data = static_cast<char*>(address);
        frame->info_.readOnly = True;
        // A server on another machine cannot see the segment: it answers the attach with an error.
        const uint64_t errorsBefore = XErrorCount();
        frame->attached_ = XShmAttach(display, &frame->info_) != 0;
        XSync(display, False);
        if (!frame->attached_ || XErrorCount() != errorsBefore) {
            frame->attached_ = false;
            return nullptr;
        }
        // Marked for removal now: the segment goes when both sides detach, even if we never get to.
        shmctl(frame->info_.shmid, IPC_RMID, nullptr);
        frame->info_.shmid = -1;
        return frame;
    }

    ~ShmFrame() {
        if (attached_) {
            XShmDetach(display_, &info_);
            XSync(display_, False);
        }
        if (image_) {
            image_->data = nullptr; // the segment's memory is not Xlib's to free
            XDestroyImage(image_);
        }
        if (info_.shmaddr) shmdt(info_.shmaddr);
        if (info_.shmid >= 0) shmctl(info_.shmid, IPC_RMID, nullptr);
    }
    ShmFrame(const ShmFrame&) = delete;
    ShmFrame& operator=(const ShmFrame&) = delete;

    XImage* Image() const { return image_; }
    uint32_t* Pixels() const { return reinterpret_cast<uint32_t*>(image_->data); }
    int32_t Pitch() const { return image_->bytes_per_line / 4; }
    int32_t Width() const { return image_->width; }
    int32_t Height() const { return image_->height; }

private:
    explicit ShmFrame(Display* display) : display_(display) { info_.shmid = -1; }
    Display* display_;
    XShmSegmentInfo info_{};
    XImage* image_ = nullptr;
    bool attached_ = false;
};

class XPresenter : public SoftPresenter {
public:
    XPresenter(std::unique_ptr<XPresentedWindow> window, Display* display, Window target, Visual* visual, int depth,
               bool allowShm)
        : window_(std::move(window)), display_(display), target_(target), visual_(visual), depth_(depth),
          shm_(allowShm && XShmQueryExtension(display) != 0) {
        gc_ = XCreateGC(display_, target_, 0, nullptr);
    }
    ~XPresenter() override {
        WaitPresented();
        frame_.reset();
        if (gc_) XFreeGC(display_, gc_);
        XFlush(display_);
    }

    int32_t Width() const override { return window_->Width(); }
    int32_t Height() const override { return window_->Height(); }
    bool Lost() const override { return window_->Lost(); }

    uint32_t* FrameMemory(int32_t width, int32_t height, int32_t& pitch) override {
        if (!shm_ || width <= 0 || height <= 0) return nullptr;
        std::unique_ptr<ShmFrame> made = ShmFrame::Make(display_, visual_, depth_, width, height);
        if (!made) {
            shm_ = false; // the server refused: XPutImage from now on
            return nullptr;
        }
        uint32_t* pixels = made->Pixels();
        for (int32_t y = 0; y < height; ++y)
            std::fill_n(pixels + static_cast<size_t>(y) * static_cast<size_t>(made->Pitch()), width, kOpaqueBlack);
        if (frame_) {
            WaitPresented();
            const int32_t w = std::min(width, frame_->Width()), h = std::min(height, frame_->Height());
            for (int32_t y = 0; y < h; ++y)
                std::memcpy(pixels + static_cast<size_t>(y) * static_cast<size_t>(made->Pitch()),
                            frame_->Pixels() + static_cast<size_t>(y) * static_cast<size_t>(frame_->Pitch()),
                            static_cast<size_t>(w) * sizeof(uint32_t));
        }
        frame_ = std::move(made);
        pitch = frame_->Pitch();
        return pixels;
    }

    void Present(const uint32_t* pixels, int32_t width, int32_t height, int32_t pitch) override {
        const int32_t w = std::min(width, Width()), h = std::min(height, Height());
        if (w <= 0 || h <= 0 || Lost() || !gc_) return;
        // Exposures before this frame are repainted by it.
        TakeForeignExposure(target_);
        shownWidth_ = w;
        shownHeight_ = h;
        Put(pixels, pitch, w, h, {0, 0, w, h});
        XFlush(display_);
    }

    // Puts only the changed rectangles, unless the window lost pixels of its own since the last frame
    // (an exposure) or changed its size: then the whole frame.
    void PresentChanged(const uint32_t* pixels, int32_t width, int32_t height, int32_t pitch,
                        const std::vector<DrawRect>& changed) override {
        const int32_t w = std::min(width, Width()), h = std::min(height, Height());
        if (w <= 0 || h <= 0 || Lost() || !gc_) return;
        if (TakeForeignExposure(target_) || w != shownWidth_ || h != shownHeight_) {
            Present(pixels, width, height, pitch);
            return;
        }
        for (const DrawRect& rect : changed) {
            const DrawRect cut = {std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, w),
                                  std::min(rect.bottom, h)};
            if (cut.left < cut.right && cut.top < cut.bottom) Put(pixels, pitch, w, h, cut);
        }
        XFlush(display_);
    }

    // The server handles requests in order: once a round trip returns, the put has read the segment.
    void WaitPresented() override {
        if (!pending_) return;
        pending_ = false;
        XSync(display_, False);
    }

private:
    // Puts one rectangle of the w x h frame at the same place in the window.
    void Put(const uint32_t* pixels, int32_t pitch, int32_t w, int32_t h, const DrawRect& rect) {
        const auto rw = static_cast<unsigned>(rect.right - rect.left),
                   rh = static_cast<unsigned>(rect.bottom - rect.top);
        if (frame_ && pixels == frame_->Pixels() && pitch == frame_->Pitch() && w <= frame_->Width() &&
            h <= frame_->Height()) {
            // Asynchronous: the server reads the segment after we return; WaitPresented syncs.
            XShmPutImage(display_, target_, gc_, frame_->Image(), rect.left, rect.top, rect.left, rect.top, rw, rh,
                         False);
            pending_ = true;
        } else {
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
            XPutImage(display_, target_, gc_, &image, rect.left, rect.top, rect.left, rect.top, rw, rh);
        }
    }

    std::unique_ptr<XPresentedWindow> window_;
    Display* display_;
    Window target_;
    Visual* visual_;
    int depth_;
    bool shm_;
    GC gc_ = nullptr;
    std::unique_ptr<ShmFrame> frame_;
    bool pending_ = false;
    // The size of the frame last shown whole.
    int32_t shownWidth_ = 0, shownHeight_ = 0;
};

} // namespace

std::unique_ptr<SoftPresenter> MakeXPresenter(std::unique_ptr<XPresentedWindow>& window, uint64_t target,
                                              bool allowShm) {
    Display* display = ForeignWindowConnection();
    if (!window || !display || target == 0) return nullptr;
    const uint64_t errorsBefore = XErrorCount();
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, target, &attributes) || !attributes.visual || XErrorCount() != errorsBefore)
        return nullptr;
    const Visual* visual = attributes.visual;
    if ((attributes.depth != 24 && attributes.depth != 32) || visual->red_mask != 0xFF0000 ||
        visual->green_mask != 0xFF00 || visual->blue_mask != 0xFF)
        return nullptr;
    // Frames present only what changed: exposed parts of the window are repainted whole.
    if (!WatchForeignExposures(target)) return nullptr;
    return std::make_unique<XPresenter>(std::move(window), display, target, attributes.visual, attributes.depth,
                                        allowShm);
}
