// The software driver: textures as prepared pixel levels, a back buffer in memory per display,
// drawing recorded into the CPU rasterizer and finished before anything reads the pixels.
#include "draw2d/soft/soft_driver.h"

#include "draw2d/soft/soft_damage.h"
#include "draw2d/soft/soft_rasterizer.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

class SoftDriverTexture : public DriverTexture, public std::enable_shared_from_this<SoftDriverTexture> {
public:
    explicit SoftDriverTexture(PreparedTexture prepared, bool mipmapped) : prepared_(std::move(prepared)) {
        for (const TextureLevel& level : prepared_.levels)
            levels_.push_back({level.width, level.height, level.pixels.data()});
        // The region of each level that is not clear, found once, lets spans skip clear texels.
        for (const SoftMipLevel& level : levels_)
            hullPlanes_.push_back(SoftFindOpaqueHull(level));
        for (const std::vector<SoftHalfPlane>& planes : hullPlanes_)
            hulls_.push_back({planes.data(), static_cast<int>(planes.size())});
        texture_.levels = levels_.data();
        texture_.hulls = hulls_.data();
        texture_.levelCount = static_cast<int>(levels_.size());
        texture_.mipmapped = mipmapped && levels_.size() > 1;
        FindOpaqueCorner();
    }
    SoftTexture Sampled(bool filtered) const {
        SoftTexture texture = texture_;
        texture.filtered = filtered;
        return texture;
    }

private:
    // The widest run of opaque texels along the first row, then the rows that are opaque that far.
    void FindOpaqueCorner() {
        if (levels_.empty()) return;
        const SoftMipLevel& top = levels_[0];
        const auto opaque = [&](int x, int y) {
            return (top.pixels[static_cast<size_t>(y) * top.width + x] >> 24) == 0xFF;
        };
        int width = 0;
        while (width < top.width && opaque(width, 0))
            ++width;
        int height = 0;
        for (bool whole = width > 0; whole && height < top.height; height += whole ? 1 : 0)
            for (int x = 0; x < width && whole; ++x)
                whole = opaque(x, height);
        texture_.opaqueWidth = width;
        texture_.opaqueHeight = height;
    }

    PreparedTexture prepared_;
    std::vector<SoftMipLevel> levels_;
    std::vector<std::vector<SoftHalfPlane>> hullPlanes_;
    std::vector<SoftHull> hulls_;
    SoftTexture texture_;
};

class SoftDisplay : public DriverDisplay {
public:
    SoftDisplay(int32_t width, int32_t height, std::unique_ptr<SoftPresenter> presenter)
        : width_(width), height_(height), presenter_(std::move(presenter)) {
        Fit();
    }
    int32_t Width() const override { return presenter_ && attached_ ? presenter_->Width() : width_; }
    int32_t Height() const override { return presenter_ && attached_ ? presenter_->Height() : height_; }
    bool Lost() const override { return presenter_ && presenter_->Lost(); }

    void SetAttached() {
        attached_ = true;
        Fit();
    }
    // The drawing area no longer fits the buffer (an attached window grew).
    bool Outgrown() const {
        const int32_t w = std::min(std::max(Width(), 1), kMaxSoftDisplaySide);
        const int32_t h = std::min(std::max(Height(), 1), kMaxSoftDisplaySide);
        return w > bufferWidth_ || h > bufferHeight_;
    }
    // Grows the buffer to the drawing area, keeping its pixels. The presenter's own memory is
    // preferred: presenting it copies nothing.
    bool Fit() {
        if (!Outgrown()) return false;
        const int32_t w = std::min(std::max(Width(), 1), kMaxSoftDisplaySide);
        const int32_t h = std::min(std::max(Height(), 1), kMaxSoftDisplaySide);
        const int32_t newWidth = std::max(w, bufferWidth_);
        const int32_t newHeight = std::max(h, bufferHeight_);
        if (presenter_) {
            presenter_->WaitPresented();
            int32_t pitch = 0;
            if (uint32_t* memory = presenter_->FrameMemory(newWidth, newHeight, pitch)) {
                own_.clear();
                own_.shrink_to_fit();
                Use(memory, newWidth, newHeight, pitch);
                return true;
            }
        }
        std::vector<uint32_t> grown(static_cast<size_t>(newWidth) * static_cast<size_t>(newHeight), 0xFF000000u);
        for (int32_t y = 0; y < bufferHeight_; ++y)
            std::memcpy(&grown[static_cast<size_t>(y) * static_cast<size_t>(newWidth)],
                        pixels_ + static_cast<size_t>(y) * static_cast<size_t>(pitch_),
                        static_cast<size_t>(bufferWidth_) * sizeof(uint32_t));
        own_.swap(grown);
        Use(own_.data(), newWidth, newHeight, newWidth);
        return true;
    }
    SoftSurface Surface() {
        return {pixels_, std::min(Width(), bufferWidth_), std::min(Height(), bufferHeight_), pitch_};
    }
    // Before the pixels change: the last frame may still be on its way to the window.
    void WaitPresented() {
        if (presenter_) presenter_->WaitPresented();
    }
    void WaitForFrame() {
        if (presenter_ && !presenter_->Lost()) presenter_->WaitForFrame();
    }
    // What the frame being drawn has drawn so far, and the textures it drew with.
    SoftDamageTracker& Tracker() { return tracker_; }
    std::vector<std::shared_ptr<const void>>& FrameTextures() { return frameTextures_; }
    // Some of the frame was drawn everywhere already (something read the pixels before the frame ended).
    void SetDrawnWhole() { drawnWhole_ = true; }
    bool DrawnWhole() const { return drawnWhole_; }

    // Ends the frame: what it changed against the frame before. A buffer that moved counts as all changed.
    SoftFrameDamage EndFrame() {
        const SoftSurface surface = Surface();
        if (surface.pixels != lastPixels_ || surface.pitch != lastPitch_) tracker_.Forget();
        lastPixels_ = surface.pixels;
        lastPitch_ = surface.pitch;
        // The frame's steps compare by texture address: keep the textures until the next frame is compared.
        lastTextures_.swap(frameTextures_);
        frameTextures_.clear();
        drawnWhole_ = false;
        return tracker_.EndFrame(surface.width, surface.height);
    }

    void Present(const SoftFrameDamage& damage) {
        if (!presenter_ || presenter_->Lost()) return;
        const SoftSurface surface = Surface();
        changed_.clear();
        if (damage.whole)
            changed_.push_back({0, 0, surface.width, surface.height});
        else
            for (const SoftClip& rect : damage.rects)
                changed_.push_back({rect.x0, rect.y0, rect.x1, rect.y1});
        presenter_->PresentChanged(surface.pixels, surface.width, surface.height, surface.pitch, changed_);
    }

private:
    int32_t width_, height_;
    std::unique_ptr<SoftPresenter> presenter_;
    void Use(uint32_t* pixels, int32_t width, int32_t height, int32_t pitch) {
        pixels_ = pixels;
        bufferWidth_ = width;
        bufferHeight_ = height;
        pitch_ = pitch;
    }

    bool attached_ = false;
    SoftDamageTracker tracker_;
    std::vector<std::shared_ptr<const void>> frameTextures_, lastTextures_;
    bool drawnWhole_ = false;
    const uint32_t* lastPixels_ = nullptr;
    int32_t lastPitch_ = 0;
    std::vector<DrawRect> changed_;
    std::vector<uint32_t> own_;
    uint32_t* pixels_ = nullptr;
    int32_t bufferWidth_ = 0, bufferHeight_ = 0, pitch_ = 0;
};

class SoftDriver : public TDrawDriver {
public:
    SoftDriver(std::shared_ptr<SoftWindowHost> host, bool wholeFrames)
        : host_(std::move(host)), wholeFrames_(wholeFrames) {}
    ~SoftDriver() override { rasterizer_.Finish(); }

    const char* Name() const override { return "software"; }

    std::vector<TGraphicsMode> DisplayModes() override {
        return host_ ? host_->DisplayModes() : std::vector<TGraphicsMode>{};
    }

    std::unique_ptr<DriverDisplay> CreateDisplay(int32_t width, int32_t height, int32_t depth, int32_t hertz,
                                                 int32_t) override {
        if (width <= 0 || height <= 0 || width > kMaxSoftDisplaySide || height > kMaxSoftDisplaySide)
            throw DrawError("CreateSurface Failed result=0");
        std::unique_ptr<SoftPresenter> presenter;
        if (host_) presenter = host_->OpenWindow(width, height, depth, hertz);
        return std::make_unique<SoftDisplay>(width, height, std::move(presenter));
    }

    std::unique_ptr<DriverDisplay> AttachDisplay(uint64_t window, int32_t) override {
        if (!host_) return nullptr;
        std::unique_ptr<SoftPresenter> presenter = host_->AttachWindow(window);
        if (!presenter) return nullptr;
        auto display = std::make_unique<SoftDisplay>(presenter->Width(), presenter->Height(), std::move(presenter));
        display->SetAttached();
        return display;
    }

    void SelectDisplay(DriverDisplay* display) override {
        Finish();
        current_ = static_cast<SoftDisplay*>(display);
        if (current_) rasterizer_.SetTarget(current_->Surface());
    }

    bool CanSyncToVerticalBlank() const override { return false; }
    bool PresentsPaced() const override { return host_ && host_->PacesPresents(); }

    std::shared_ptr<DriverTexture> MakeTexture(const PreparedTexture& texture, int32_t flags) override {
        return std::make_shared<SoftDriverTexture>(texture, (flags & ImageMipmapped) != 0);
    }

    void DrawQuads(const DriverTexture* texture, const QuadState& state, const DrawQuad* quads, size_t count) override {
        if (!Ready()) return;
        static_assert(sizeof(DrawQuad) == sizeof(SoftQuad), "quads are handed over as they are");
        SoftState soft;
        // A blend value outside the named modes leaves the previous mode in force.
        if (IsBlendMode(state.blend)) blend_ = state.blend;
        soft.blend = blend_;
        soft.color = state.color;
        soft.clip = {state.clip.left, state.clip.top, state.clip.right, state.clip.bottom};
        const auto* softQuads = reinterpret_cast<const SoftQuad*>(quads);
        if (!texture) {
            rasterizer_.DrawQuads(nullptr, soft, softQuads, count);
            return;
        }
        const auto* softTexture = static_cast<const SoftDriverTexture*>(texture);
        // The rasterizer reads the texture when the frame is finished: keep it alive until then.
        inFlight_.push_back(std::const_pointer_cast<SoftDriverTexture>(softTexture->shared_from_this()));
        const SoftTexture sampled = softTexture->Sampled(state.filtered);
        rasterizer_.DrawQuads(&sampled, soft, softQuads, count);
    }

    void Clear(const DrawRect& rect, uint32_t color) override {
        if (!Ready()) return;
        rasterizer_.Clear({rect.left, rect.top, rect.right, rect.bottom}, color);
    }

    // Draws the frame only where it differs from the frame before and presents those rectangles;
    // a synced flip first waits until the window asks for the frame, where the window paces.
    void Flip(int32_t sync) override {
        if (!current_) return;
        if (rasterizer_.Pending()) current_->WaitPresented();
        rasterizer_.AppendSteps(current_->Tracker().Steps());
        KeepTextures();
        if (wholeFrames_) current_->Tracker().Forget();
        const bool drawnWhole = current_->DrawnWhole();
        const SoftFrameDamage damage = current_->EndFrame();
        if (damage.whole || drawnWhole)
            rasterizer_.Finish();
        else
            rasterizer_.Finish(damage.rows);
        if (sync > 0) current_->WaitForFrame();
        current_->Present(damage);
    }

    PixmapPtr GrabBackBuffer(int32_t x, int32_t y, int32_t width, int32_t height) override {
        if (!current_ || width <= 0 || height <= 0) return nullptr;
        Finish();
        PixmapPtr pixmap = CreatePixmap(width, height, FormatBGR888, 4);
        if (!pixmap) return nullptr;
        std::memset(pixmap->pixels, 0, static_cast<size_t>(pixmap->pitch) * static_cast<size_t>(height));
        SoftCopyToBGR888(current_->Surface(), x, y, width, height, pixmap->pixels, pixmap->pitch);
        return pixmap;
    }

    void SetPointerVisible(bool visible) override {
        if (host_) host_->SetPointerVisible(visible);
    }
    void MovePointer(int32_t x, int32_t y) override {
        if (host_) host_->MovePointer(x, y);
    }

private:
    // Ready to record for the current display; an attached window that grew gets a bigger buffer.
    bool Ready() {
        if (!current_ || current_->Lost()) return false;
        if (current_->Outgrown()) {
            Finish();
            current_->Fit();
        }
        const SoftSurface surface = current_->Surface();
        const SoftSurface& target = rasterizer_.Target();
        if (surface.pixels != target.pixels || surface.width != target.width || surface.height != target.height)
            rasterizer_.SetTarget(surface);
        return true;
    }

    // Draws everything recorded, everywhere: something is about to read or replace the pixels
    // before the frame ends. The steps still count towards the frame's damage.
    void Finish() {
        if (current_ && rasterizer_.Pending()) {
            current_->WaitPresented();
            rasterizer_.AppendSteps(current_->Tracker().Steps());
            current_->SetDrawnWhole();
            KeepTextures();
        }
        rasterizer_.Finish();
        inFlight_.clear();
    }
    // The frame's textures stay alive while its steps are compared with the next frame's.
    void KeepTextures() {
        for (std::shared_ptr<SoftDriverTexture>& texture : inFlight_)
            current_->FrameTextures().push_back(std::move(texture));
        inFlight_.clear();
    }

    std::shared_ptr<SoftWindowHost> host_;
    bool wholeFrames_;
    SoftRasterizer rasterizer_;
    SoftDisplay* current_ = nullptr;
    std::vector<std::shared_ptr<SoftDriverTexture>> inFlight_;
    // The blend mode drawn with; a fresh context draws as GL does with blending off.
    int32_t blend_ = BlendSolid;
};

} // namespace

DrawDriverPtr SoftwareDriver(std::shared_ptr<SoftWindowHost> host, bool wholeFrames) {
    return std::make_shared<SoftDriver>(std::move(host), wholeFrames);
}
