// What the OpenGL driver needs of a window system: windows with a GL 3.3 core context each, made
// full screen, as an own window or inside an existing window, plus the screen's modes and the
// pointer. The driver core is written against this alone; each host implements it.
#pragma once

#include "draw2d/draw_driver.h"

#include <cstdint>
#include <memory>
#include <vector>

// One window with its context; destroying it deletes the context (and the window, if made).
class GlWindow {
public:
    virtual ~GlWindow() = default;
    // The drawing area now (an attached window's current client size).
    virtual int32_t Width() const = 0;
    virtual int32_t Height() const = 0;
    // True once the window drawn into is gone.
    virtual bool Lost() const = 0;
    // Makes the context current on this thread; false when it cannot.
    virtual bool MakeCurrent() = 0;
    // Presents the back buffer.
    virtual void Swap() = 0;
    // Sets how many vertical blanks Swap waits for, on the current context; false when refused.
    virtual bool SetSwapInterval(int32_t interval) = 0;
    // The framebuffer the driver draws into and reads back from while the context is current:
    // 0 is the window's own (back buffer and depth buffer); a host whose window is made of several
    // surfaces gives a framebuffer object of the window's size, with a colour attachment 0 and a
    // depth attachment, that Swap shows.
    virtual uint32_t Framebuffer() const { return 0; }
};

class GlWindowHost {
public:
    virtual ~GlWindowHost() = default;
    // The screen's display modes.
    virtual std::vector<TGraphicsMode> DisplayModes() = 0;
    // A full-screen (depth > 0) or own window (depth 0) whose context is current on return and
    // shares its objects with `share`'s (null: a share group of its own). Throws DrawError.
    virtual std::unique_ptr<GlWindow> OpenWindow(int32_t width, int32_t height, int32_t depth, int32_t hertz,
                                                 GlWindow* share) = 0;
    // A context drawing into the existing window `window`, current on return; null when the window
    // or a GL 3.3 core context is not available.
    virtual std::unique_ptr<GlWindow> AttachWindow(uint64_t window, GlWindow* share) = 0;
    virtual void SetPointerVisible(bool visible) = 0;
    // In screen pixels.
    virtual void MovePointer(int32_t x, int32_t y) = 0;
    // True where a Swap after SetSwapInterval(1) waits until the window system asks for the next
    // frame (a compositor's frame callbacks) rather than for a vertical blank.
    virtual bool PacesPresents() const { return false; }
};

// The OpenGL driver on a host's windows (see gl_driver.h).
DrawDriverPtr OpenGLDriverOn(std::shared_ptr<GlWindowHost> host, int32_t depthBitsLimit);
