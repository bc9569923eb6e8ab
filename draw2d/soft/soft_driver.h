// The software drawing driver: displays whose pixels live in memory, drawn by the CPU rasterizer.
// Without a window host its displays are offscreen (tests, headless renders); with one, each
// frame is presented into a host window.
#pragma once

#include "draw2d/draw_driver.h"

#include <cstdint>
#include <memory>

// A window that shows a software display's frames.
class SoftPresenter {
public:
    virtual ~SoftPresenter() = default;
    // The window's drawing area now.
    virtual int32_t Width() const = 0;
    virtual int32_t Height() const = 0;
    // The window is gone (its owner destroyed it).
    virtual bool Lost() const { return false; }
    // Shows the top-left width x height of the pixels (0xAARRGGBB, pitch in pixels). May return
    // before the pixels are read: WaitPresented tells when they may change again.
    virtual void Present(const uint32_t* pixels, int32_t width, int32_t height, int32_t pitch) = 0;
    // Shows the frame as Present does, knowing that only `changed` can differ from the frame shown by
    // the presenter's previous Present or PresentChanged: disjoint rectangles inside width x height,
    // none of them empty; outside them every pixel is byte for byte the previous frame's. An empty
    // list means nothing changed. After the presenter's first frame, a new buffer or another size,
    // the list is one rectangle over the whole frame. The default presents everything, so a
    // presenter that ignores the list stays correct. A presenter that shows the window from buffers
    // of its own must bring each buffer up to date with the rectangles of every frame it missed, and
    // what the window system lost (an exposed area) is the presenter's to repaint.
    virtual void PresentChanged(const uint32_t* pixels, int32_t width, int32_t height, int32_t pitch,
                                const std::vector<DrawRect>& /*changed*/) {
        Present(pixels, width, height, pitch);
    }
    // Returns once the last Present no longer reads the pixels.
    virtual void WaitPresented() {}
    // Waits until the window system asks for the next frame, where it paces frames itself
    // (SoftWindowHost::PacesPresents); a synced flip calls it before presenting.
    virtual void WaitForFrame() {}
    // Memory of at least width x height pixels that Present shows without a copy (shared with the
    // window system), holding the previous memory's pixels at its top-left and opaque black
    // elsewhere; pitch in pixels. Valid until the next call that succeeds or the presenter's end.
    // Null when the presenter has no such memory: the display then keeps its own.
    virtual uint32_t* FrameMemory(int32_t /*width*/, int32_t /*height*/, int32_t& /*pitch*/) { return nullptr; }
};

// Makes the windows of software displays; the display-window host provides it.
class SoftWindowHost {
public:
    virtual ~SoftWindowHost() = default;
    virtual std::vector<TGraphicsMode> DisplayModes() = 0;
    // A full-screen (depth > 0) or own window; throws DrawError on failure.
    virtual std::unique_ptr<SoftPresenter> OpenWindow(int32_t width, int32_t height, int32_t depth, int32_t hertz) = 0;
    // Presents into an existing window by its id; null on failure.
    virtual std::unique_ptr<SoftPresenter> AttachWindow(uint64_t window) = 0;
    // True where the window system tells when to present the next frame (WaitForFrame), so the
    // frames need no clock of their own.
    virtual bool PacesPresents() const { return false; }
    virtual void SetPointerVisible(bool /*visible*/) {}
    virtual void MovePointer(int32_t /*x*/, int32_t /*y*/) {}
};

// Largest side of a software display's pixel buffer.
constexpr int32_t kMaxSoftDisplaySide = 16384;

// A software driver; `host` null makes every display offscreen (AttachDisplay then fails). Each
// frame is drawn and presented only where it differs from the frame before, unless `wholeFrames`
// (every frame drawn and presented whole: the reference the damage is checked against).
DrawDriverPtr SoftwareDriver(std::shared_ptr<SoftWindowHost> host = nullptr, bool wholeFrames = false);
