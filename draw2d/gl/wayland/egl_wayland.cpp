// The EGL display on the compositor's connection and its GL 3.3 core contexts.
#include "draw2d/gl/wayland/egl_wayland.h"

#include "draw2d/gl/gl.h"
#include "gui/wayland/wayland_connection.h"

#include <EGL/eglext.h>

#include <cstdlib>
#include <cstring>

#if defined(__SANITIZE_ADDRESS__)
#include <dlfcn.h>
#include <link.h>
#endif

namespace {

#if defined(__SANITIZE_ADDRESS__)
// Keeps the GL drivers EGL loaded mapped until the process ends. Terminating the display unloads
// them, and the leak check at exit could then no longer tell that what they keep is theirs.
void KeepDriversLoaded() {
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void*) {
            if (info->dlpi_name && std::strstr(info->dlpi_name, "_dri.so"))
                dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
            return 0;
        },
        nullptr);
}
#else
void KeepDriversLoaded() {}
#endif

// The display of the connection, terminated when the process ends. Made after the connection, so
// it goes before it.
class WaylandEgl {
public:
    WaylandEgl() {
        WaylandConnection* connection = TheWaylandConnection();
        if (!connection) return;
        EGLDisplay display = eglGetPlatformDisplay(EGL_PLATFORM_WAYLAND_KHR, connection->Display(), nullptr);
        if (display == EGL_NO_DISPLAY) return;
        if (!eglInitialize(display, nullptr, nullptr)) return;
        KeepDriversLoaded();
        display_ = display;
        if (!eglBindAPI(EGL_OPENGL_API)) return;
        const EGLint attributes[] = {EGL_SURFACE_TYPE,
                                     EGL_WINDOW_BIT,
                                     EGL_RENDERABLE_TYPE,
                                     EGL_OPENGL_BIT,
                                     EGL_RED_SIZE,
                                     8,
                                     EGL_GREEN_SIZE,
                                     8,
                                     EGL_BLUE_SIZE,
                                     8,
                                     EGL_ALPHA_SIZE,
                                     0,
                                     EGL_NONE};
        EGLint count = 0;
        if (!eglChooseConfig(display, attributes, &config_, 1, &count) || count < 1) config_ = nullptr;
    }
    ~WaylandEgl() {
        if (display_ == EGL_NO_DISPLAY) return;
        eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        eglTerminate(display_);
        eglReleaseThread();
    }
    WaylandEgl(const WaylandEgl&) = delete;
    WaylandEgl& operator=(const WaylandEgl&) = delete;

    EGLDisplay Display() const { return config_ ? display_ : EGL_NO_DISPLAY; }
    EGLConfig Config() const { return config_; }

private:
    EGLDisplay display_ = EGL_NO_DISPLAY;
    EGLConfig config_ = nullptr;
};

const WaylandEgl& TheWaylandEgl() {
    static const WaylandEgl egl;
    return egl;
}

} // namespace

EGLDisplay WaylandEglDisplay() {
    return TheWaylandEgl().Display();
}

EGLConfig WaylandEglConfig() {
    return TheWaylandEgl().Config();
}

std::unique_ptr<EglContext> EglContext::Create(const EglContext* share) {
    EGLDisplay display = WaylandEglDisplay();
    if (display == EGL_NO_DISPLAY) return nullptr;
    const EGLint attributes[] = {
        EGL_CONTEXT_MAJOR_VERSION,           3,       EGL_CONTEXT_MINOR_VERSION, 3, EGL_CONTEXT_OPENGL_PROFILE_MASK,
        EGL_CONTEXT_OPENGL_CORE_PROFILE_BIT, EGL_NONE};
    EGLContext context =
        eglCreateContext(display, WaylandEglConfig(), share ? share->Get() : EGL_NO_CONTEXT, attributes);
    if (context == EGL_NO_CONTEXT) return nullptr;
    return std::unique_ptr<EglContext>(new EglContext(context));
}

EglContext::~EglContext() {
    EGLDisplay display = WaylandEglDisplay();
    if (eglGetCurrentContext() == context_) eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(display, context_);
}

bool EglContext::MakeCurrent(EGLSurface surface) {
    if (eglGetCurrentContext() == context_ && eglGetCurrentSurface(EGL_DRAW) == surface) return true;
    return eglMakeCurrent(WaylandEglDisplay(), surface, surface, context_) == EGL_TRUE;
}

std::string WaylandOpenGLRendererName() {
    EGLDisplay display = WaylandEglDisplay();
    if (display == EGL_NO_DISPLAY) return {};
    const EGLContext previous = eglGetCurrentContext();
    const EGLSurface previousDraw = eglGetCurrentSurface(EGL_DRAW), previousRead = eglGetCurrentSurface(EGL_READ);
    std::string name;
    if (std::unique_ptr<EglContext> context = EglContext::Create(nullptr)) {
        if (context->MakeCurrent(EGL_NO_SURFACE))
            if (const GLubyte* renderer = glGetString(GL_RENDERER)) name = reinterpret_cast<const char*>(renderer);
    }
    if (previous != EGL_NO_CONTEXT) eglMakeCurrent(display, previousDraw, previousRead, previous);
    return name;
}

bool GlDiagnosticsAsked() {
    static const bool asked = [] {
        const char* value = std::getenv("CAPSARO_GL_DIAGNOSTICS");
        return value && *value && std::string(value) != "0";
    }();
    return asked;
}
