// The OpenGL driver.
//
//   GlDisplay   an SDL window with its GL context, vertex array and buffers
//   GlDriver    share group, state record, the pending run of vertices, drawing, read-back
//   probing     OpenGLRendererName
#include "draw2d/gl/gl_driver.h"

#include "draw2d/gl/gl.h"
#include "draw2d/gl/gl_program.h"
#include "draw2d/gl/gl_textures.h"
#include "draw2d/sdl/sdl_video.h"
#include "draw2d/sdl/sdl_window.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <vector>

namespace {

std::atomic<uint64_t> drawCalls{0};

// One corner as the GPU reads it: 28 bytes. alphaTest is 1 for masked pictures, which share the
// alpha-blending state with blended ones so that the two stay in one run.
struct GlVertex {
    float x, y, u, v, layer;
    uint32_t colour;
    float alphaTest;
};

// The blend mode that a run's pipeline state is set for: masking is drawn as alpha blending of
// fragments whose alpha the shader has set to 1 (the same pixels).
int32_t PipelineBlend(int32_t blend) {
    return blend == 1 ? 3 : blend;
}

void AskForCoreContext(bool share) {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_SHARE_WITH_CURRENT_CONTEXT, share ? 1 : 0);
}

class GlDisplay;

// What the displays of one driver share: the share group and the program.
struct GlShared {
    std::shared_ptr<GlShareGroup> group = std::make_shared<GlShareGroup>();
    GlProgram program;
    std::vector<GlDisplay*> displays;
};

class GlDisplay : public DriverDisplay {
public:
    GlDisplay(std::unique_ptr<SdlDisplayWindow> window, std::shared_ptr<GlShared> shared)
        : window_(std::move(window)), shared_(std::move(shared)) {}
    ~GlDisplay() override {
        auto& displays = shared_->displays;
        displays.erase(std::remove(displays.begin(), displays.end(), this), displays.end());
        if (displays.empty()) shared_->group->alive = false;
        if (!context_) return;
        if (MakeCurrent()) {
            glDeleteVertexArrays(1, &vertexArray_);
            glDeleteBuffers(1, &vertices_);
            glDeleteBuffers(1, &indices_);
        }
        SDL_GL_MakeCurrent(window_->Window(), nullptr);
        SDL_GL_DeleteContext(context_);
    }

    // Makes the context; false when GL 3.3 or the program is not available.
    bool Start(bool share) {
        AskForCoreContext(share);
        context_ = SDL_GL_CreateContext(window_->Window());
        if (!context_) return false;
        shared_->displays.push_back(this);
        if (!shared_->program.name) {
            glGetIntegerv(GL_MAX_TEXTURE_SIZE, &shared_->group->maxSize);
            glGetIntegerv(GL_MAX_ARRAY_TEXTURE_LAYERS, &shared_->group->maxLayers);
            shared_->program = BuildGlProgram();
            if (!shared_->program.name) return false;
        }
        glGenVertexArrays(1, &vertexArray_);
        glBindVertexArray(vertexArray_);
        glGenBuffers(1, &vertices_);
        glGenBuffers(1, &indices_);
        glBindBuffer(GL_ARRAY_BUFFER, vertices_);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indices_);
        glEnableVertexAttribArray(kPositionAttribute);
        glEnableVertexAttribArray(kTexCoordAttribute);
        glEnableVertexAttribArray(kColourAttribute);
        glEnableVertexAttribArray(kAlphaTestAttribute);
        glVertexAttribPointer(kPositionAttribute, 2, GL_FLOAT, GL_FALSE, sizeof(GlVertex),
                              reinterpret_cast<const void*>(offsetof(GlVertex, x)));
        glVertexAttribPointer(kTexCoordAttribute, 3, GL_FLOAT, GL_FALSE, sizeof(GlVertex),
                              reinterpret_cast<const void*>(offsetof(GlVertex, u)));
        glVertexAttribPointer(kColourAttribute, 4, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(GlVertex),
                              reinterpret_cast<const void*>(offsetof(GlVertex, colour)));
        glVertexAttribPointer(kAlphaTestAttribute, 1, GL_FLOAT, GL_FALSE, sizeof(GlVertex),
                              reinterpret_cast<const void*>(offsetof(GlVertex, alphaTest)));
        return true;
    }

    int32_t Width() const override { return window_->Width(); }
    int32_t Height() const override { return window_->Height(); }
    bool Lost() const override { return window_->Lost(); }

    bool MakeCurrent() const { return !Lost() && SDL_GL_MakeCurrent(window_->Window(), context_) == 0; }
    SDL_Window* Window() const { return window_->Window(); }
    GlShared& Shared() const { return *shared_; }
    GLuint VertexBuffer() const { return vertices_; }

    // Indices of the quads 0-1-2 0-2-3, grown to at least `quads` quads.
    void EnsureIndices(size_t quads) {
        if (quads <= indexedQuads_) return;
        const size_t count = std::max(quads, indexedQuads_ * 2);
        std::vector<uint32_t> indices(count * 6);
        for (size_t q = 0; q < count; ++q) {
            const auto base = static_cast<uint32_t>(q * 4);
            const uint32_t quad[6] = {base, base + 1, base + 2, base, base + 2, base + 3};
            std::memcpy(&indices[q * 6], quad, sizeof quad);
        }
        glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(uint32_t)),
                     indices.data(), GL_STATIC_DRAW);
        indexedQuads_ = count;
    }

    int32_t swapInterval = -1000;

private:
    std::unique_ptr<SdlDisplayWindow> window_;
    std::shared_ptr<GlShared> shared_;
    SDL_GLContext context_ = nullptr;
    GLuint vertexArray_ = 0, vertices_ = 0, indices_ = 0;
    size_t indexedQuads_ = 0;
};

// The state a pending run shares; colour and picture travel with each vertex.
struct RunKey {
    int32_t blend = 2;
    bool filtered = false;
    DrawRect clip;
    GlTextureArray* array = nullptr;  // null while the run has only untextured quads
};

class GlDriver : public TDrawDriver {
public:
    const char* Name() const override { return "OpenGL"; }

    std::vector<TGraphicsMode> DisplayModes() override {
        std::vector<TGraphicsMode> modes = SdlDisplayModes();
        modes.erase(std::remove_if(modes.begin(), modes.end(), [](const TGraphicsMode& m) { return m.depth < 16; }),
                    modes.end());
        return modes;
    }

    std::unique_ptr<DriverDisplay> CreateDisplay(int32_t width, int32_t height, int32_t depth, int32_t hertz,
                                                 int32_t) override {
        const bool share = PrepareShare();
        auto display = std::make_unique<GlDisplay>(
            SdlDisplayWindow::Open(width, height, depth, hertz, SDL_WINDOW_OPENGL,
                                   "GLGraphicsDriver failed to set display mode"),
            Shared());
        if (!display->Start(share)) throw DrawError("Failed to create an OpenGL 3.3 context");
        Rebind();
        return display;
    }

    std::unique_ptr<DriverDisplay> AttachDisplay(uint64_t window, int32_t) override {
        const bool share = PrepareShare();
        std::unique_ptr<SdlDisplayWindow> attached = SdlDisplayWindow::Attach(window, true);
        if (!attached) return nullptr;
        auto display = std::make_unique<GlDisplay>(std::move(attached), Shared());
        const bool started = display->Start(share);
        Rebind();
        if (!started) return nullptr;
        return display;
    }

    void SelectDisplay(DriverDisplay* display) override {
        FlushRun();
        current_ = static_cast<GlDisplay*>(display);
        Rebind();
    }

    bool CanSyncToVerticalBlank() const override { return canSync_; }

    std::shared_ptr<DriverTexture> MakeTexture(const PreparedTexture& texture, int32_t) override {
        if (!current_ || !current_->MakeCurrent()) return nullptr;
        // A layer freed by a texture released since the run began may be filled now.
        FlushRun();
        std::shared_ptr<GlTexture> made = MakeGlTexture(current_->Shared().group, texture);
        boundArray_ = 0;
        return made;
    }

    void DrawQuads(const DriverTexture* texture, const QuadState& state, const DrawQuad* quads, size_t count) override {
        if (!current_ || count == 0 || current_->Lost()) return;
        float layer = -1;
        GlTextureArray* array = nullptr;
        if (texture) {
            const auto* gl = static_cast<const GlTexture*>(texture);
            if (gl->Group() != current_->Shared().group.get() || !gl->Group()->alive) return;
            array = gl->Array();
            layer = gl->Layer();
        }
        const int32_t blend = PipelineBlend(state.blend);
        const bool sameState = run_.blend == blend && run_.filtered == state.filtered &&
                               run_.clip.left == state.clip.left && run_.clip.top == state.clip.top &&
                               run_.clip.right == state.clip.right && run_.clip.bottom == state.clip.bottom;
        if (!pending_.empty() && (!sameState || (array && run_.array && array != run_.array))) FlushRun();
        if (pending_.empty()) run_ = {blend, state.filtered, state.clip, nullptr};
        if (array) run_.array = array;
        const float alphaTest = state.blend == 1 ? 1.0f : 0.0f;
        for (size_t q = 0; q < count; ++q)
            for (const QuadVertex& c : quads[q].v)
                pending_.push_back({c.x, c.y, c.u, c.v, layer, state.color, alphaTest});
    }

    void Clear(const DrawRect& rect, uint32_t color) override {
        if (!Ready()) return;
        FlushRun();
        Scissor(rect);
        glClearColor(static_cast<float>((color >> 16) & 0xFF) / 255.0f, static_cast<float>((color >> 8) & 0xFF) / 255.0f,
                     static_cast<float>(color & 0xFF) / 255.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
    }

    void Flip(int32_t sync) override {
        if (!Ready()) return;
        FlushRun();
        const int32_t interval = sync >= 0 && sync <= 4 ? sync : 1;
        if (interval != current_->swapInterval) {
            current_->swapInterval = interval;
            SDL_GL_SetSwapInterval(interval);
        }
        SDL_GL_SwapWindow(current_->Window());
    }

    PixmapPtr GrabBackBuffer(int32_t x, int32_t y, int32_t width, int32_t height) override {
        if (!current_ || width <= 0 || height <= 0) return nullptr;
        PixmapPtr pixmap = CreatePixmap(width, height, FormatBGR888, 4);
        if (!pixmap) return nullptr;
        std::memset(pixmap->pixels, 0, static_cast<size_t>(pixmap->pitch) * static_cast<size_t>(height));
        if (!Ready()) return pixmap;
        FlushRun();
        const int32_t viewHeight = current_->Height();
        const int32_t left = std::max(x, 0), top = std::max(y, 0);
        const int32_t right = std::min(x + width, current_->Width()), bottom = std::min(y + height, viewHeight);
        if (left >= right || top >= bottom) return pixmap;
        const int32_t w = right - left, h = bottom - top;
        std::vector<uint8_t> rows(static_cast<size_t>(w) * 3 * static_cast<size_t>(h));
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadBuffer(GL_BACK);
        glReadPixels(left, viewHeight - bottom, w, h, GL_BGR, GL_UNSIGNED_BYTE, rows.data());
        // GL's rows run bottom-up.
        for (int32_t row = 0; row < h; ++row)
            std::memcpy(pixmap->pixels + static_cast<size_t>(top - y + row) * static_cast<size_t>(pixmap->pitch) +
                            static_cast<size_t>(left - x) * 3,
                        &rows[static_cast<size_t>(h - 1 - row) * static_cast<size_t>(w) * 3], static_cast<size_t>(w) * 3);
        return pixmap;
    }

    void SetPointerVisible(bool visible) override { SdlSetPointerVisible(visible); }
    void MovePointer(int32_t x, int32_t y) override { SdlMovePointer(x, y); }

private:
    // The shared objects of the live displays, or a fresh set when none is left.
    std::shared_ptr<GlShared> Shared() {
        if (!shared_ || shared_->displays.empty()) {
            shared_ = std::make_shared<GlShared>();
            samplers_[0] = samplers_[1] = 0;
        }
        return shared_;
    }

    // Makes a live context current so the next one joins its share group; false when there is none.
    bool PrepareShare() {
        FlushRun();
        if (!shared_ || shared_->displays.empty()) return false;
        return shared_->displays.front()->MakeCurrent();
    }

    // Binds the current display's context and resets the record of the GL state.
    void Rebind() {
        boundArray_ = 0;
        appliedBlend_ = 0;
        appliedFiltered_ = -1;
        if (!current_ || !current_->MakeCurrent()) return;
        GlShared& shared = current_->Shared();
        if (!samplers_[0]) {
            glGenSamplers(2, samplers_);
            for (int i = 0; i < 2; ++i) {
                glSamplerParameteri(samplers_[i], GL_TEXTURE_MIN_FILTER, i ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST);
                glSamplerParameteri(samplers_[i], GL_TEXTURE_MAG_FILTER, i ? GL_LINEAR : GL_NEAREST);
                glSamplerParameteri(samplers_[i], GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
                glSamplerParameteri(samplers_[i], GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
            }
            canSync_ = SDL_GL_SetSwapInterval(1) == 0;
            SDL_GL_SetSwapInterval(0);
        }
        glUseProgram(shared.program.name);
        glUniform1i(shared.program.pictures, 0);
        glActiveTexture(GL_TEXTURE0);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
        glEnable(GL_SCISSOR_TEST);
        ApplyBlend(BlendSolidMode);
    }

    bool Ready() { return current_ && !current_->Lost() && current_->MakeCurrent(); }

    // The drawing area as GL's window coordinates see it, y up.
    void Scissor(const DrawRect& rect) {
        const int32_t height = current_->Height();
        glViewport(0, 0, current_->Width(), height);
        glScissor(rect.left, height - rect.bottom, std::max(rect.right - rect.left, 0),
                  std::max(rect.bottom - rect.top, 0));
    }

    static constexpr int32_t BlendSolidMode = 2;

    void ApplyBlend(int32_t blend) {
        if (blend == appliedBlend_ || blend < 1 || blend > 5) return;
        appliedBlend_ = blend;
        if (blend <= 2) {
            glDisable(GL_BLEND);
            return;
        }
        glEnable(GL_BLEND);
        if (blend == 3) glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        else if (blend == 4) glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        else glBlendFunc(GL_DST_COLOR, GL_ZERO);
    }

    // Sends the pending run: one upload and one draw call.
    void FlushRun() {
        if (pending_.empty()) return;
        if (!Ready()) {
            pending_.clear();
            return;
        }
        const size_t quads = pending_.size() / 4;
        GlShared& shared = current_->Shared();
        Scissor(run_.clip);
        glUniform2f(shared.program.viewSize, static_cast<float>(current_->Width()), static_cast<float>(current_->Height()));
        ApplyBlend(run_.blend);
        if (run_.array && run_.array->name != boundArray_) {
            boundArray_ = run_.array->name;
            glBindTexture(GL_TEXTURE_2D_ARRAY, boundArray_);
        }
        const int filtered = run_.filtered ? 1 : 0;
        if (filtered != appliedFiltered_) {
            appliedFiltered_ = filtered;
            glBindSampler(0, samplers_[filtered]);
        }
        glBindBuffer(GL_ARRAY_BUFFER, current_->VertexBuffer());
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(pending_.size() * sizeof(GlVertex)), pending_.data(),
                     GL_STREAM_DRAW);
        current_->EnsureIndices(quads);
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(quads * 6), GL_UNSIGNED_INT, nullptr);
        drawCalls.fetch_add(1, std::memory_order_relaxed);
        pending_.clear();
    }

    std::shared_ptr<GlShared> shared_;
    GlDisplay* current_ = nullptr;
    GLuint samplers_[2] = {0, 0};
    bool canSync_ = false;
    GLuint boundArray_ = 0;
    int32_t appliedBlend_ = 0;
    int appliedFiltered_ = -1;
    RunKey run_;
    std::vector<GlVertex> pending_;
};

}  // namespace

DrawDriverPtr OpenGLDriver() { return std::make_shared<GlDriver>(); }

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

uint64_t OpenGLDrawCallCount() { return drawCalls.load(std::memory_order_relaxed); }
