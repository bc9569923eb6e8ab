// The OpenGL driver's windows on Windows: the shared Win32 display windows, or an existing window
// of this process (the preview's), with a GL 3.3 core context made through
// wglCreateContextAttribsARB; also the GL_RENDERER probe on a hidden window.
#include <windows.h>

#include "draw2d/gl/gl.h"
#include "draw2d/gl/gl_driver.h"
#include "draw2d/gl/gl_window.h"
#include "draw2d/win32/win32_display_window.h"

#include <GL/wglext.h>

namespace {

// A window's device context, released when it goes.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(window ? GetDC(window) : nullptr) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Handle() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// A GL context, unbound and deleted when it goes.
class GlContext {
public:
    explicit GlContext(HGLRC context) : context_(context) {}
    ~GlContext() {
        if (!context_) return;
        if (wglGetCurrentContext() == context_) wglMakeCurrent(nullptr, nullptr);
        wglDeleteContext(context_);
    }
    GlContext(const GlContext&) = delete;
    GlContext& operator=(const GlContext&) = delete;
    HGLRC Handle() const { return context_; }

private:
    HGLRC context_;
};

PFNWGLSWAPINTERVALEXTPROC swapInterval = nullptr;

// Gives the window's device context a double-buffered RGBA format with a depth buffer, then makes
// a GL 3.3 core context on it (through a legacy context, which alone can name the function that
// makes one) sharing objects with `share`. The new context is current; null on failure.
std::unique_ptr<GlContext> MakeCoreContext(HDC dc, HGLRC share) {
    if (!dc) return nullptr;
    PIXELFORMATDESCRIPTOR wanted{};
    wanted.nSize = sizeof wanted;
    wanted.nVersion = 1;
    wanted.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    wanted.iPixelType = PFD_TYPE_RGBA;
    wanted.cColorBits = 24;
    wanted.cDepthBits = 24;
    wanted.iLayerType = PFD_MAIN_PLANE;
    // A window's pixel format is set once for good: a window attached before keeps its own.
    if (GetPixelFormat(dc) == 0) {
        const int format = ChoosePixelFormat(dc, &wanted);
        if (format == 0 || !SetPixelFormat(dc, format, &wanted)) return nullptr;
    }
    const GlContext legacy(wglCreateContext(dc));
    if (!legacy.Handle() || !wglMakeCurrent(dc, legacy.Handle())) return nullptr;
    const auto create = reinterpret_cast<PFNWGLCREATECONTEXTATTRIBSARBPROC>(
        reinterpret_cast<void (*)()>(wglGetProcAddress("wglCreateContextAttribsARB")));
    if (!create) return nullptr;
    // Name and value pairs, ending in 0.
    const int attributes[] = {
        WGL_CONTEXT_MAJOR_VERSION_ARB,    3, WGL_CONTEXT_MINOR_VERSION_ARB, 3, WGL_CONTEXT_PROFILE_MASK_ARB,
        WGL_CONTEXT_CORE_PROFILE_BIT_ARB, 0};
    auto core = std::make_unique<GlContext>(create(dc, share, attributes));
    if (!core->Handle() || !wglMakeCurrent(dc, core->Handle()) || !LoadGlFunctions()) return nullptr;
    if (!swapInterval)
        swapInterval = reinterpret_cast<PFNWGLSWAPINTERVALEXTPROC>(
            reinterpret_cast<void (*)()>(wglGetProcAddress("wglSwapIntervalEXT")));
    return core;
}

class WglWindow : public GlWindow {
public:
    explicit WglWindow(Win32Window window) : window_(std::move(window)), dc_(window_.Handle()) {}

    // Makes the context; false when GL 3.3 core is not available on this window.
    bool Start(GlWindow* share) {
        const auto* other = static_cast<WglWindow*>(share);
        context_ = MakeCoreContext(dc_.Handle(), other ? other->context_->Handle() : nullptr);
        return context_ != nullptr;
    }

    int32_t Width() const override { return window_.ClientRect().right; }
    int32_t Height() const override { return window_.ClientRect().bottom; }
    bool Lost() const override { return !window_.Alive(); }

    bool MakeCurrent() override {
        if (Lost()) return false;
        if (wglGetCurrentContext() == context_->Handle() && wglGetCurrentDC() == dc_.Handle()) return true;
        return wglMakeCurrent(dc_.Handle(), context_->Handle()) != FALSE;
    }
    void Swap() override { SwapBuffers(dc_.Handle()); }
    bool SetSwapInterval(int32_t interval) override { return swapInterval && swapInterval(interval); }

private:
    // Destroyed in reverse: the context, the device context, then the window (if ours).
    Win32Window window_;
    WindowDc dc_;
    std::unique_ptr<GlContext> context_;
};

class WglWindowHost : public GlWindowHost {
public:
    std::vector<TGraphicsMode> DisplayModes() override { return Win32DisplayModes(); }

    std::unique_ptr<GlWindow> OpenWindow(int32_t width, int32_t height, int32_t depth, int32_t,
                                         GlWindow* share) override {
        auto window = std::make_unique<WglWindow>(OpenDisplayWindow(width, height, depth));
        if (!window->Start(share)) throw DrawError("Failed to create an OpenGL 3.3 context");
        return window;
    }

    std::unique_ptr<GlWindow> AttachWindow(uint64_t window, GlWindow* share) override {
        // Only a window of this process can take a pixel format; the preview's is one (a child the
        // saver makes in the settings page's area).
        HWND handle = reinterpret_cast<HWND>(static_cast<uintptr_t>(window));
        DWORD process = 0;
        if (!IsWindow(handle) || !GetWindowThreadProcessId(handle, &process) || process != GetCurrentProcessId())
            return nullptr;
        auto attached = std::make_unique<WglWindow>(Win32Window(handle, false));
        if (!attached->Start(share)) return nullptr;
        return attached;
    }

    void SetPointerVisible(bool visible) override { SetWin32PointerVisible(visible); }
    void MovePointer(int32_t x, int32_t y) override { MoveWin32Pointer(x, y); }
};

// A hidden window (of the system's STATIC class) to probe on.
Win32Window HiddenWindow() {
    HWND window =
        CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    return Win32Window(window, true);
}

} // namespace

DrawDriverPtr OpenGLDriver(int32_t depthBitsLimit) {
    return OpenGLDriverOn(std::make_shared<WglWindowHost>(), depthBitsLimit);
}

std::string OpenGLRendererName() {
    const HGLRC previous = wglGetCurrentContext();
    const HDC previousDc = wglGetCurrentDC();
    std::string name;
    {
        const Win32Window window = HiddenWindow();
        const WindowDc dc(window.Handle());
        if (const std::unique_ptr<GlContext> context = MakeCoreContext(dc.Handle(), nullptr))
            if (const GLubyte* renderer = glGetString(GL_RENDERER)) name = reinterpret_cast<const char*>(renderer);
    }
    if (previous) wglMakeCurrent(previousDc, previous);
    return name;
}
