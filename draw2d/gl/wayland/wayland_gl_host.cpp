// The overlay's GL window: a framebuffer object shown through an EGL window surface per output.
#include "draw2d/gl/wayland/wayland_gl_host.h"

#include "draw2d/gl/gl.h"
#include "draw2d/gl/wayland/egl_cover.h"
#include "draw2d/gl/wayland/egl_wayland.h"
#include "draw2d/wayland/output_covers.h"
#include "gui/wayland/wayland_connection.h"
#include "gui/wayland/wayland_seat.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// The longest a paced Swap waits for an output to ask for a frame: a compositor that asks for none
// (every output hidden) still lets the show look at its events this often.
constexpr int32_t kFrameWaitLimitMs = 100;

// The context current now, as it describes itself.
void ReportFirstFrame(const WaylandOutput& output, EGLSurface surface) {
    GLint major = 0, minor = 0, profile = 0;
    glGetIntegerv(GL_MAJOR_VERSION, &major);
    glGetIntegerv(GL_MINOR_VERSION, &minor);
    glGetIntegerv(GL_CONTEXT_PROFILE_MASK, &profile);
    EGLint width = 0, height = 0;
    eglQuerySurface(WaylandEglDisplay(), surface, EGL_WIDTH, &width);
    eglQuerySurface(WaylandEglDisplay(), surface, EGL_HEIGHT, &height);
    const auto* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    std::fprintf(stderr, "capsaro: output %s: %dx%d drawn through OpenGL %d.%d %s (%s)\n", output.connector.c_str(),
                 width, height, major, minor, (profile & GL_CONTEXT_CORE_PROFILE_BIT) ? "core" : "compatibility",
                 renderer ? renderer : "?");
    std::fflush(stderr);
}

class OverlayGlWindow : public GlWindow {
public:
    OverlayGlWindow(std::unique_ptr<EglContext> context, int32_t width, int32_t height)
        : context_(std::move(context)), width_(width), height_(height) {}
    ~OverlayGlWindow() override {
        DropWaylandCoverContents();
        if (context_->MakeCurrent(EGL_NO_SURFACE)) {
            glDeleteFramebuffers(1, &framebuffer_);
            glDeleteRenderbuffers(2, renderbuffers_);
        }
    }
    OverlayGlWindow(const OverlayGlWindow&) = delete;
    OverlayGlWindow& operator=(const OverlayGlWindow&) = delete;

    // The framebuffer object with its colour and 24-bit depth renderbuffers, with the context
    // current; false when GL refuses it.
    bool Start() {
        if (!MakeCurrent()) return false;
        GLint largest = 0;
        glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &largest);
        if (width_ <= 0 || height_ <= 0 || width_ > largest || height_ > largest) return false;
        glGenRenderbuffers(2, renderbuffers_);
        glBindRenderbuffer(GL_RENDERBUFFER, renderbuffers_[0]);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width_, height_);
        glBindRenderbuffer(GL_RENDERBUFFER, renderbuffers_[1]);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width_, height_);
        glGenFramebuffers(1, &framebuffer_);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, renderbuffers_[0]);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, renderbuffers_[1]);
        return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    }

    int32_t Width() const override { return width_; }
    int32_t Height() const override { return height_; }
    bool Lost() const override {
        WaylandConnection* connection = TheWaylandConnection();
        return !connection || connection->Lost();
    }
    bool MakeCurrent() override { return context_->MakeCurrent(EGL_NO_SURFACE); }
    uint32_t Framebuffer() const override { return framebuffer_; }
    const EglContext& Context() const { return *context_; }

    // Interval 1 waits for the compositor's frame callbacks in Swap; EGL's own wait stays off on
    // every surface, so there is no second one.
    bool SetSwapInterval(int32_t interval) override {
        paced_ = interval > 0;
        return true;
    }

    void Swap() override {
        if (paced_) WaitForWaylandFrame(kFrameWaitLimitMs);
        bool swapped = false;
        VisitWaylandCovers([&](CoverFrame& frame) {
            if (!frame.Ready()) return;
            EglCover* cover = CoverOf(frame);
            if (!cover || !context_->MakeCurrent(cover->Surface())) return;
            if (!cover->unthrottled) cover->unthrottled = eglSwapInterval(WaylandEglDisplay(), 0) == EGL_TRUE;
            CopyOutput(frame.Output(), frame.BufferWidth(), frame.BufferHeight());
            frame.PrepareBuffer();
            swapped = true;
            if (eglSwapBuffers(WaylandEglDisplay(), cover->Surface()) && GlDiagnosticsAsked() && !cover->reported) {
                cover->reported = true;
                ReportFirstFrame(frame.Output(), cover->Surface());
            }
        });
        if (!swapped) return;
        // Back to drawing into the framebuffer object, as the driver left it.
        context_->MakeCurrent(EGL_NO_SURFACE);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
        glEnable(GL_SCISSOR_TEST);
    }

private:
    // The cover's EGL surface of this window, at the output's pixels; made on first use.
    EglCover* CoverOf(CoverFrame& frame) {
        const int32_t width = frame.BufferWidth(), height = frame.BufferHeight();
        std::unique_ptr<CoverContent>& content = frame.Content();
        auto* cover = dynamic_cast<EglCover*>(content.get());
        if (cover && cover->Owner() == this) {
            cover->Resize(width, height);
            return cover;
        }
        content.reset();
        std::unique_ptr<EglCover> made = EglCover::Create(this, frame, width, height);
        cover = made.get();
        content = std::move(made);
        return cover;
    }

    // The output's rectangle of the framebuffer object into the current surface's back buffer of
    // width x height pixels; what lies outside the display is black. Both framebuffers run bottom-up.
    void CopyOutput(const WaylandOutput& output, int32_t width, int32_t height) {
        glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
        // The scissor box clips blits and clears too.
        glDisable(GL_SCISSOR_TEST);
        const int32_t left = std::max(output.x, 0), right = std::min(output.x + output.width, width_);
        const int32_t top = std::max(output.y, 0), bottom = std::min(output.y + output.height, height_);
        const bool covers = left == output.x && top == output.y && right == output.x + output.width &&
                            bottom == output.y + output.height;
        if (!covers || output.width <= 0 || output.height <= 0) {
            glClearColor(0, 0, 0, 1);
            glClear(GL_COLOR_BUFFER_BIT);
        }
        if (left >= right || top >= bottom || output.width <= 0 || output.height <= 0) return;
        // Output pixels to buffer pixels: one to one unless the compositor sized the surface otherwise.
        const double sx = static_cast<double>(width) / output.width, sy = static_cast<double>(height) / output.height;
        const auto toX = [&](int32_t x) { return static_cast<GLint>(std::lround((x - output.x) * sx)); };
        const auto toY = [&](int32_t y) { return static_cast<GLint>(std::lround((y - output.y) * sy)); };
        const bool exact = width == output.width && height == output.height;
        glBlitFramebuffer(left, height_ - bottom, right, height_ - top, toX(left), height - toY(bottom), toX(right),
                          height - toY(top), GL_COLOR_BUFFER_BIT, exact ? GL_NEAREST : GL_LINEAR);
    }

    std::unique_ptr<EglContext> context_;
    int32_t width_, height_;
    GLuint framebuffer_ = 0;
    GLuint renderbuffers_[2] = {0, 0};
    bool paced_ = false;
};

class WaylandGlHost : public GlWindowHost {
public:
    std::vector<TGraphicsMode> DisplayModes() override { return WaylandOutputModes(); }

    std::unique_ptr<GlWindow> OpenWindow(int32_t width, int32_t height, int32_t depth, int32_t,
                                         GlWindow* share) override {
        // Only the full-screen show has a place on Wayland: the overlay over every output.
        if (depth == 0 || !CoverWaylandOutputs()) throw DrawError("OpenGL driver failed to set display mode");
        const auto* shared = dynamic_cast<const OverlayGlWindow*>(share);
        std::unique_ptr<EglContext> context = EglContext::Create(shared ? &shared->Context() : nullptr);
        if (!context) throw DrawError("Failed to create an OpenGL 3.3 context");
        auto window = std::make_unique<OverlayGlWindow>(std::move(context), width, height);
        if (!window->Start()) throw DrawError("Failed to create an OpenGL 3.3 context");
        return window;
    }

    // Wayland names no windows by id.
    std::unique_ptr<GlWindow> AttachWindow(uint64_t, GlWindow*) override { return nullptr; }

    void SetPointerVisible(bool visible) override { SetWaylandPointerVisible(visible); }
    // A client cannot move the pointer on Wayland.
    void MovePointer(int32_t, int32_t) override {}
    bool PacesPresents() const override { return true; }
};

} // namespace

std::shared_ptr<GlWindowHost> WaylandGlWindowHost() {
    return std::make_shared<WaylandGlHost>();
}
