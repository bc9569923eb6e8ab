// EGL on the process's compositor connection: its display, the config of the overlay's window
// surfaces, GL 3.3 core contexts, and the GL_RENDERER probe.
#pragma once

#include <EGL/egl.h>

#include <memory>
#include <string>

// The connection's EGL display, initialised on first use with OpenGL bound as the API;
// EGL_NO_DISPLAY when there is no compositor or no EGL on it. Terminated at exit.
EGLDisplay WaylandEglDisplay();

// The config of window surfaces with 8-bit RGB and no alpha (the compositor shows them opaque),
// rendered by OpenGL; null when the display has none.
EGLConfig WaylandEglConfig();

// A GL 3.3 core context on the connection's EGL display, owned by this object.
class EglContext {
public:
    // A context sharing its objects with `share`'s (null: a share group of its own); null when
    // refused.
    static std::unique_ptr<EglContext> Create(const EglContext* share);
    ~EglContext();
    EglContext(const EglContext&) = delete;
    EglContext& operator=(const EglContext&) = delete;

    EGLContext Get() const { return context_; }
    // Makes the context current on `surface` (EGL_NO_SURFACE: on none, for drawing into
    // framebuffer objects); false when refused.
    bool MakeCurrent(EGLSurface surface);

private:
    explicit EglContext(EGLContext context) : context_(context) {}
    EGLContext context_;
};

// GL_RENDERER of a GL 3.3 core context on the compositor's EGL display, made without a surface;
// empty when there is no compositor, no EGL or no such context. The current context stays current.
std::string WaylandOpenGLRendererName();

// Whether CAPSARO_GL_DIAGNOSTICS (set, not "0") asks for lines on standard error that tell which
// driver was chosen and which GL context drew each output's first frame.
bool GlDiagnosticsAsked();
