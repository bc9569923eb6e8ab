// EGL window surfaces over the outputs' covers.
#include "draw2d/gl/wayland/egl_cover.h"

#include "draw2d/gl/wayland/egl_wayland.h"

#include <wayland-egl.h>

std::unique_ptr<EglCover> EglCover::Create(const void* owner, CoverFrame& frame, int32_t width, int32_t height) {
    EGLDisplay display = WaylandEglDisplay();
    if (display == EGL_NO_DISPLAY || width <= 0 || height <= 0) return nullptr;
    wl_egl_window* window = wl_egl_window_create(frame.Surface(), width, height);
    if (!window) return nullptr;
    EGLSurface surface = eglCreatePlatformWindowSurface(display, WaylandEglConfig(), window, nullptr);
    if (surface == EGL_NO_SURFACE) {
        wl_egl_window_destroy(window);
        return nullptr;
    }
    return std::unique_ptr<EglCover>(new EglCover(owner, window, surface, width, height));
}

EglCover::~EglCover() {
    EGLDisplay display = WaylandEglDisplay();
    // A surface still current would outlive its window: the context lets go of it first.
    if (eglGetCurrentSurface(EGL_DRAW) == surface_)
        eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, eglGetCurrentContext());
    eglDestroySurface(display, surface_);
    wl_egl_window_destroy(window_);
}

void EglCover::Resize(int32_t width, int32_t height) {
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    wl_egl_window_resize(window_, width, height, 0, 0);
}
