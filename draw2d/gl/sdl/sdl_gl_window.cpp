// The OpenGL driver's windows on X11: SDL windows (full screen, own, or an attached X window)
// with SDL's GL 3.3 core contexts; also the GL_RENDERER probe on a hidden SDL window.
#include "draw2d/gl/gl.h"
#include "draw2d/gl/gl_driver.h"
#include "draw2d/gl/gl_window.h"
#include "draw2d/sdl/sdl_video.h"
#include "draw2d/sdl/sdl_window.h"

#include <SDL.h>

namespace {

void AskForCoreContext(bool share) {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_SHARE_WITH_CURRENT_CONTEXT, share ? 1 : 0);
}

// An SDL GL context, deleted (after unbinding it from its window) when it goes.
class SdlGlWindow : public GlWindow {
public:
    SdlGlWindow(std::unique_ptr<SdlDisplayWindow> window, SDL_GLContext context)
        : window_(std::move(window)), context_(context) {}
    ~SdlGlWindow() override {
        SDL_GL_MakeCurrent(window_->Window(), nullptr);
        SDL_GL_DeleteContext(context_);
    }
    SdlGlWindow(const SdlGlWindow&) = delete;
    SdlGlWindow& operator=(const SdlGlWindow&) = delete;

    int32_t Width() const override { return window_->Width(); }
    int32_t Height() const override { return window_->Height(); }
    bool Lost() const override { return window_->Lost(); }
    bool MakeCurrent() override { return SDL_GL_MakeCurrent(window_->Window(), context_) == 0; }
    void Swap() override { SDL_GL_SwapWindow(window_->Window()); }
    bool SetSwapInterval(int32_t interval) override { return SDL_GL_SetSwapInterval(interval) == 0; }

    // A context for `window`, sharing with the current context when `share`; null when refused.
    static std::unique_ptr<GlWindow> Start(std::unique_ptr<SdlDisplayWindow> window, bool share) {
        AskForCoreContext(share);
        SDL_GLContext context = SDL_GL_CreateContext(window->Window());
        if (!context) return nullptr;
        return std::make_unique<SdlGlWindow>(std::move(window), context);
    }

private:
    std::unique_ptr<SdlDisplayWindow> window_;
    SDL_GLContext context_;
};

// SDL shares a new context's objects with the current one: making `share` current asks for that.
bool MakeShareCurrent(GlWindow* share) {
    return share && share->MakeCurrent();
}

class SdlGlWindowHost : public GlWindowHost {
public:
    std::vector<TGraphicsMode> DisplayModes() override { return SdlDisplayModes(); }

    std::unique_ptr<GlWindow> OpenWindow(int32_t width, int32_t height, int32_t depth, int32_t hertz,
                                         GlWindow* share) override {
        const bool shared = MakeShareCurrent(share);
        // The window's visual is chosen from the GL attributes (a depth buffer among them); SDL
        // keeps them only once video has started.
        if (StartSdlVideo()) AskForCoreContext(shared);
        std::unique_ptr<GlWindow> window =
            SdlGlWindow::Start(SdlDisplayWindow::Open(width, height, depth, hertz, SDL_WINDOW_OPENGL,
                                                      "OpenGL driver failed to set display mode"),
                               shared);
        if (!window) throw DrawError("Failed to create an OpenGL 3.3 context");
        return window;
    }

    std::unique_ptr<GlWindow> AttachWindow(uint64_t window, GlWindow* share) override {
        const bool shared = MakeShareCurrent(share);
        std::unique_ptr<SdlDisplayWindow> attached = SdlDisplayWindow::Attach(window, true);
        if (!attached) return nullptr;
        return SdlGlWindow::Start(std::move(attached), shared);
    }

    void SetPointerVisible(bool visible) override { SdlSetPointerVisible(visible); }
    void MovePointer(int32_t x, int32_t y) override { SdlMovePointer(x, y); }
};

} // namespace

DrawDriverPtr OpenGLDriver(int32_t depthBitsLimit) {
    return OpenGLDriverOn(std::make_shared<SdlGlWindowHost>(), depthBitsLimit);
}

std::string OpenGLRendererName() {
    if (!StartSdlVideo()) return {};
    AskForCoreContext(false);
    SDL_Window* window = SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!window) return {};
    std::string name;
    SDL_GLContext previous = SDL_GL_GetCurrentContext();
    SDL_Window* previousWindow = SDL_GL_GetCurrentWindow();
    if (SDL_GLContext context = SDL_GL_CreateContext(window)) {
        if (const GLubyte* renderer = glGetString(GL_RENDERER)) name = reinterpret_cast<const char*>(renderer);
        SDL_GL_DeleteContext(context);
    }
    SDL_DestroyWindow(window);
    if (previous) SDL_GL_MakeCurrent(previousWindow, previous);
    return name;
}
