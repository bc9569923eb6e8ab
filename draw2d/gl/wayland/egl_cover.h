// An EGL window surface over an output's cover: the wl_egl_window on the cover's surface, sized in
// the output's pixels, and the EGL surface GL swaps its frames to. Kept on the cover as its
// content (output_covers.h), so it goes before the cover's surface does.
#pragma once

#include "draw2d/wayland/output_covers.h"

#include <EGL/egl.h>

#include <cstdint>
#include <memory>

struct wl_egl_window;

class EglCover : public CoverContent {
public:
    // A surface of width x height pixels on the cover's surface for `owner` (the window that
    // presents through it); null when EGL refuses it.
    static std::unique_ptr<EglCover> Create(const void* owner, CoverFrame& frame, int32_t width, int32_t height);
    ~EglCover() override;
    EglCover(const EglCover&) = delete;
    EglCover& operator=(const EglCover&) = delete;

    const void* Owner() const { return owner_; }
    EGLSurface Surface() const { return surface_; }
    // Resizes the surface's next buffers to width x height pixels.
    void Resize(int32_t width, int32_t height);

    // Set once the surface's swap interval has been set to 0 (with the surface current): the
    // frame callbacks pace it, never EGL.
    bool unthrottled = false;
    // Set once its first frame was reported (CAPSARO_GL_DIAGNOSTICS).
    bool reported = false;

private:
    EglCover(const void* owner, wl_egl_window* window, EGLSurface surface, int32_t width, int32_t height)
        : owner_(owner), window_(window), surface_(surface), width_(width), height_(height) {}

    const void* owner_;
    wl_egl_window* window_;
    EGLSurface surface_;
    int32_t width_, height_;
};
