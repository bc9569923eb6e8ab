// The OpenGL driver's core, written against GlWindowHost (gl_window.h) and no window system.
//
//   GlDisplay   a host's GL window with its vertex array and buffers
//   GlDriver    share group, state record, the pending run of vertices, drawing, read-back
#include "draw2d/gl/gl_driver.h"

#include "draw2d/gl/gl.h"
#include "draw2d/gl/gl_program.h"
#include "draw2d/gl/gl_textures.h"
#include "draw2d/gl/gl_window.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <vector>

namespace {

std::atomic<uint64_t> drawCalls{0};

// One corner as the GPU reads it: 32 bytes. z is the quad's depth; alphaTest is 1 for masked
// pictures.
struct GlVertex {
    float x, y, z, u, v, layer;
    uint32_t colour;
    float alphaTest;
};

// The blend mode that a run's pipeline state is set for: masking is drawn as alpha blending of
// fragments whose alpha the shader has set to 1 (the same pixels).
int32_t PipelineBlend(int32_t blend) {
    return blend == BlendMask ? BlendAlpha : blend;
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
    // `window`'s context is current.
    GlDisplay(std::unique_ptr<GlWindow> window, std::shared_ptr<GlShared> shared)
        : window_(std::move(window)), shared_(std::move(shared)) {}
    ~GlDisplay() override {
        auto& displays = shared_->displays;
        displays.erase(std::remove(displays.begin(), displays.end(), this), displays.end());
        if (displays.empty()) shared_->group->alive = false;
        if (MakeCurrent()) {
            glDeleteVertexArrays(1, &vertexArray_);
            glDeleteBuffers(1, &vertices_);
            glDeleteBuffers(1, &indices_);
        }
    }

    // Sets up the vertex array and buffers (and the program, for the first display of a share
    // group); false when the program is not available.
    bool Start() {
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
        glVertexAttribPointer(kPositionAttribute, 3, GL_FLOAT, GL_FALSE, sizeof(GlVertex),
                              reinterpret_cast<const void*>(offsetof(GlVertex, x)));
        glVertexAttribPointer(kTexCoordAttribute, 3, GL_FLOAT, GL_FALSE, sizeof(GlVertex),
                              reinterpret_cast<const void*>(offsetof(GlVertex, u)));
        glVertexAttribPointer(kColourAttribute, 4, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(GlVertex),
                              reinterpret_cast<const void*>(offsetof(GlVertex, colour)));
        glVertexAttribPointer(kAlphaTestAttribute, 1, GL_FLOAT, GL_FALSE, sizeof(GlVertex),
                              reinterpret_cast<const void*>(offsetof(GlVertex, alphaTest)));
        // An error left by an earlier call would read as the query's own.
        while (glGetError() != GL_NO_ERROR)
            continue;
        const GLuint framebuffer = window_->Framebuffer();
        if (framebuffer) glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        GLint depthBits = 0;
        // The window's own framebuffer names its buffers, a framebuffer object its attachments.
        glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, framebuffer ? GL_DEPTH_ATTACHMENT : GL_DEPTH,
                                              GL_FRAMEBUFFER_ATTACHMENT_DEPTH_SIZE, &depthBits);
        if (glGetError() == GL_NO_ERROR && depthBits >= 16) depthBits_ = depthBits;
        return true;
    }

    int32_t Width() const override { return window_->Width(); }
    int32_t Height() const override { return window_->Height(); }
    bool Lost() const override { return window_->Lost(); }

    bool MakeCurrent() const { return !Lost() && window_->MakeCurrent(); }
    GlWindow& Window() const { return *window_; }
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

    // Bits of the window's depth buffer; 0 when it has none worth using.
    int32_t DepthBits() const { return depthBits_; }

private:
    std::unique_ptr<GlWindow> window_;
    std::shared_ptr<GlShared> shared_;
    GLuint vertexArray_ = 0, vertices_ = 0, indices_ = 0;
    size_t indexedQuads_ = 0;
    int32_t depthBits_ = 0;
};

// The state a pending run shares; colour, picture and blend mode travel with each quad.
struct RunKey {
    bool filtered = false;
    DrawRect clip;
    GlTextureArray* array = nullptr; // null while the run has only untextured quads
};

class GlDriver : public TDrawDriver {
public:
    GlDriver(std::shared_ptr<GlWindowHost> host, int32_t depthBitsLimit)
        : host_(std::move(host)), depthBitsLimit_(std::clamp(depthBitsLimit, 0, 24)) {}

    const char* Name() const override { return "OpenGL"; }

    std::vector<TGraphicsMode> DisplayModes() override {
        std::vector<TGraphicsMode> modes = host_->DisplayModes();
        modes.erase(std::remove_if(modes.begin(), modes.end(), [](const TGraphicsMode& m) { return m.depth < 16; }),
                    modes.end());
        return modes;
    }

    std::unique_ptr<DriverDisplay> CreateDisplay(int32_t width, int32_t height, int32_t depth, int32_t hertz,
                                                 int32_t) override {
        GlWindow* share = ShareWith();
        auto display = std::make_unique<GlDisplay>(host_->OpenWindow(width, height, depth, hertz, share), Shared());
        if (!display->Start()) throw DrawError("Failed to create an OpenGL 3.3 context");
        Rebind();
        return display;
    }

    std::unique_ptr<DriverDisplay> AttachDisplay(uint64_t window, int32_t) override {
        GlWindow* share = ShareWith();
        std::unique_ptr<GlWindow> attached = host_->AttachWindow(window, share);
        if (!attached) {
            Rebind();
            return nullptr;
        }
        auto display = std::make_unique<GlDisplay>(std::move(attached), Shared());
        const bool started = display->Start();
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
    bool PresentsPaced() const override { return host_->PacesPresents(); }

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
        const bool sameState = run_.filtered == state.filtered && run_.clip.left == state.clip.left &&
                               run_.clip.top == state.clip.top && run_.clip.right == state.clip.right &&
                               run_.clip.bottom == state.clip.bottom;
        if (!pending_.empty() && (!sameState || (array && run_.array && array != run_.array))) FlushRun();
        if (pending_.empty()) run_ = {state.filtered, state.clip, nullptr};
        if (array) run_.array = array;
        const float alphaTest = state.blend == BlendMask ? 1.0f : 0.0f;
        const auto blend = static_cast<uint8_t>(state.blend);
        for (size_t q = 0; q < count; ++q) {
            for (const QuadVertex& c : quads[q].v)
                pending_.push_back({c.x, c.y, 0.0f, c.u, c.v, layer, state.color, alphaTest});
            pendingBlend_.push_back(blend);
        }
    }

    void Clear(const DrawRect& rect, uint32_t color) override {
        if (!Ready()) return;
        FlushRun();
        Scissor(rect);
        glClearColor(static_cast<float>((color >> 16) & 0xFF) / 255.0f,
                     static_cast<float>((color >> 8) & 0xFF) / 255.0f, static_cast<float>(color & 0xFF) / 255.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
    }

    void Flip(int32_t sync) override {
        if (!Ready()) return;
        FlushRun();
        const int32_t interval = sync >= 0 && sync <= 4 ? sync : 1;
        if (interval != current_->swapInterval) {
            current_->swapInterval = interval;
            current_->Window().SetSwapInterval(interval);
        }
        current_->Window().Swap();
        depthNext_ = kDepthStale;
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
        glReadBuffer(current_->Window().Framebuffer() ? GL_COLOR_ATTACHMENT0 : GL_BACK);
        glReadPixels(left, viewHeight - bottom, w, h, GL_BGR, GL_UNSIGNED_BYTE, rows.data());
        // GL's rows run bottom-up.
        for (int32_t row = 0; row < h; ++row)
            std::memcpy(pixmap->pixels + static_cast<size_t>(top - y + row) * static_cast<size_t>(pixmap->pitch) +
                            static_cast<size_t>(left - x) * 3,
                        &rows[static_cast<size_t>(h - 1 - row) * static_cast<size_t>(w) * 3],
                        static_cast<size_t>(w) * 3);
        return pixmap;
    }

    void SetPointerVisible(bool visible) override { host_->SetPointerVisible(visible); }
    void MovePointer(int32_t x, int32_t y) override { host_->MovePointer(x, y); }

private:
    // The shared objects of the live displays, or a fresh set when none is left.
    std::shared_ptr<GlShared> Shared() {
        if (!shared_ || shared_->displays.empty()) {
            shared_ = std::make_shared<GlShared>();
            samplers_[0] = samplers_[1] = 0;
        }
        return shared_;
    }

    // The window of a live display, whose share group the next context joins; null when none is left.
    GlWindow* ShareWith() {
        FlushRun();
        if (!shared_ || shared_->displays.empty()) return nullptr;
        return &shared_->displays.front()->Window();
    }

    // Binds the current display's context and resets the record of the GL state.
    void Rebind() {
        depthNext_ = kDepthStale;
        boundArray_ = 0;
        appliedBlend_ = 0;
        appliedFiltered_ = -1;
        if (!current_ || !current_->MakeCurrent()) return;
        if (const GLuint framebuffer = current_->Window().Framebuffer()) glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        GlShared& shared = current_->Shared();
        if (!samplers_[0]) {
            glGenSamplers(2, samplers_);
            for (int i = 0; i < 2; ++i) {
                glSamplerParameteri(samplers_[i], GL_TEXTURE_MIN_FILTER, i ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST);
                glSamplerParameteri(samplers_[i], GL_TEXTURE_MAG_FILTER, i ? GL_LINEAR : GL_NEAREST);
                glSamplerParameteri(samplers_[i], GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
                glSamplerParameteri(samplers_[i], GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
            }
            canSync_ = current_->Window().SetSwapInterval(1);
            current_->Window().SetSwapInterval(0);
        }
        glUseProgram(shared.program.name);
        glUniform1i(shared.program.pictures, 0);
        glActiveTexture(GL_TEXTURE0);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
        glEnable(GL_SCISSOR_TEST);
        ApplyBlend(BlendSolid);
    }

    bool Ready() { return current_ && !current_->Lost() && current_->MakeCurrent(); }

    // The drawing area as GL's window coordinates see it, y up.
    void Scissor(const DrawRect& rect) {
        const int32_t height = current_->Height();
        glViewport(0, 0, current_->Width(), height);
        glScissor(rect.left, height - rect.bottom, std::max(rect.right - rect.left, 0),
                  std::max(rect.bottom - rect.top, 0));
    }

    void ApplyBlend(int32_t blend) {
        if (blend == appliedBlend_ || !IsBlendMode(blend)) return;
        appliedBlend_ = blend;
        if (IsOpaqueBlend(blend)) {
            glDisable(GL_BLEND);
            return;
        }
        glEnable(GL_BLEND);
        if (blend == BlendAlpha)
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        else if (blend == BlendLight)
            glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        else
            glBlendFunc(GL_DST_COLOR, GL_ZERO);
    }

    // Solid and masked quads cover what they draw: every pixel they keep replaces what was there.
    static bool IsOpaque(uint8_t blend) { return IsOpaqueBlend(blend); }

    // Sends the pending run: one upload, then a draw call per pass.
    //
    // Where the window has a depth buffer and the run holds opaque quads, each quad gets a depth
    // that grows with its place in the drawing order. The opaque quads go first, nearest first, so
    // that a pixel already covered by a later opaque quad is rejected before it is shaded; the
    // others follow in their order, each tested against the opaque quads in front of it. Every pixel
    // ends as the in-order drawing would leave it, since nothing drawn before an opaque pixel can
    // show through it. Without a depth buffer the quads are drawn in their order.
    void FlushRun() {
        if (pending_.empty()) return;
        if (!Ready()) {
            ClearPending();
            return;
        }
        GlShared& shared = current_->Shared();
        Scissor(run_.clip);
        glUniform2f(shared.program.viewSize, static_cast<float>(current_->Width()),
                    static_cast<float>(current_->Height()));
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
        const size_t quads = pendingBlend_.size();
        current_->EnsureIndices(quads);
        const int32_t depthBits = std::min(current_->DepthBits(), depthBitsLimit_);
        if (depthBits < 3 || std::none_of(pendingBlend_.begin(), pendingBlend_.end(), IsOpaque)) {
            glDisable(GL_DEPTH_TEST);
            Upload(pending_);
            DrawInOrder(0, quads, [this](size_t i) { return PipelineBlend(pendingBlend_[i]); });
        } else {
            // Depths step by four units of the buffer's precision so that rounding keeps them apart.
            const size_t capacity = (size_t{1} << (depthBits - 2)) - 1;
            for (size_t first = 0; first < quads;) {
                if (depthNext_ == kDepthStale || depthNext_ >= capacity) ClearDepth();
                const size_t count = std::min(quads - first, capacity - depthNext_);
                DrawNearestFirst(first, count, 4.0 / double((uint64_t{1} << depthBits) - 1));
                first += count;
            }
        }
        ClearPending();
    }

    void ClearPending() {
        pending_.clear();
        pendingBlend_.clear();
    }

    void Upload(const std::vector<GlVertex>& vertices) {
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(GlVertex)), vertices.data(),
                     GL_STREAM_DRAW);
    }

    // Draws uploaded quads [first, first + count) in order, a call per stretch of one pipeline
    // blend; blendAt(i) is the blend of uploaded quad i.
    template <typename BlendAt> void DrawInOrder(size_t first, size_t count, BlendAt blendAt) {
        for (size_t begin = first, end = first + count; begin < end;) {
            const int32_t blend = blendAt(begin);
            size_t stop = begin + 1;
            while (stop < end && blendAt(stop) == blend)
                ++stop;
            ApplyBlend(blend);
            DrawUploaded(begin, stop - begin);
            begin = stop;
        }
    }

    void DrawUploaded(size_t first, size_t count) {
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(count * 6), GL_UNSIGNED_INT,
                       reinterpret_cast<const void*>(first * 6 * sizeof(uint32_t)));
        drawCalls.fetch_add(1, std::memory_order_relaxed);
    }

    // Quads [first, first + count) of the run through the depth buffer (see FlushRun).
    void DrawNearestFirst(size_t first, size_t count, double depthStep) {
        order_.clear();
        for (size_t q = first + count; q-- > first;)
            if (IsOpaque(pendingBlend_[q])) order_.push_back(q);
        const size_t opaque = order_.size();
        for (size_t q = first; q < first + count; ++q)
            if (!IsOpaque(pendingBlend_[q])) order_.push_back(q);
        upload_.resize(count * 4);
        for (size_t i = 0; i < count; ++i) {
            const size_t q = order_[i];
            const auto z = static_cast<float>(double(depthNext_ + 1 + (q - first)) * depthStep * 2.0 - 1.0);
            for (int c = 0; c < 4; ++c) {
                upload_[i * 4 + c] = pending_[q * 4 + c];
                upload_[i * 4 + c].z = z;
            }
        }
        depthNext_ += count;
        Upload(upload_);
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_GREATER);
        glDepthMask(GL_TRUE);
        if (opaque > 0) {
            ApplyBlend(BlendSolid);
            DrawUploaded(0, opaque);
        }
        glDepthMask(GL_FALSE);
        DrawInOrder(opaque, count - opaque, [this](size_t i) { return int32_t{pendingBlend_[order_[i]]}; });
        order_.clear();
    }

    void ClearDepth() {
        glDisable(GL_SCISSOR_TEST);
        glDepthMask(GL_TRUE);
        glClearDepth(0.0);
        glClear(GL_DEPTH_BUFFER_BIT);
        glEnable(GL_SCISSOR_TEST);
        depthNext_ = 0;
    }

    static constexpr size_t kDepthStale = ~size_t{0};

    const std::shared_ptr<GlWindowHost> host_;
    const int32_t depthBitsLimit_;
    std::shared_ptr<GlShared> shared_;
    GlDisplay* current_ = nullptr;
    GLuint samplers_[2] = {0, 0};
    bool canSync_ = false;
    GLuint boundArray_ = 0;
    int32_t appliedBlend_ = 0;
    int appliedFiltered_ = -1;
    RunKey run_;
    std::vector<GlVertex> pending_;
    std::vector<uint8_t> pendingBlend_; // a blend mode per pending quad
    std::vector<size_t> order_;         // pending quads in the order they are uploaded
    std::vector<GlVertex> upload_;
    size_t depthNext_ = kDepthStale; // depth of the next quad; stale until the buffer is cleared
};

} // namespace

DrawDriverPtr OpenGLDriverOn(std::shared_ptr<GlWindowHost> host, int32_t depthBitsLimit) {
    return std::make_shared<GlDriver>(std::move(host), depthBitsLimit);
}

uint64_t OpenGLDrawCallCount() {
    return drawCalls.load(std::memory_order_relaxed);
}
