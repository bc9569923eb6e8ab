// The driver decision and the driver made on first use.
#include "draw2d/select/driver_choice.h"

#include <cctype>
#include <cstring>
#include <initializer_list>

namespace {

// GL renderers that run on the CPU; the rasterizer beats them at this workload. "GDI Generic" is
// Windows' own GL 1.1 without a vendor driver.
constexpr const char* kSoftwareRenderers[] = {"llvmpipe", "softpipe", "swrast", "GDI Generic"};

bool SameIgnoringCase(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b)
        if (std::tolower(static_cast<unsigned char>(*a)) != std::tolower(static_cast<unsigned char>(*b))) return false;
    return *a == *b;
}

// Stands for the host driver until something needs it, then forwards to it.
class Deferred : public TDrawDriver {
public:
    explicit Deferred(std::function<DrawDriverPtr()> make) : make_(std::move(make)) {}

    const char* Name() const override { return Chosen().Name(); }
    std::vector<TGraphicsMode> DisplayModes() override { return Chosen().DisplayModes(); }
    std::unique_ptr<DriverDisplay> CreateDisplay(int32_t width, int32_t height, int32_t depth, int32_t hertz,
                                                 int32_t flags) override {
        return Chosen().CreateDisplay(width, height, depth, hertz, flags);
    }
    std::unique_ptr<DriverDisplay> AttachDisplay(uint64_t window, int32_t flags) override {
        return Chosen().AttachDisplay(window, flags);
    }
    void SelectDisplay(DriverDisplay* display) override {
        // Unbinding needs no driver; choosing for it would probe at shut-down.
        if (display || chosen_) Chosen().SelectDisplay(display);
    }
    bool CanSyncToVerticalBlank() const override { return Chosen().CanSyncToVerticalBlank(); }
    bool PresentsPaced() const override { return Chosen().PresentsPaced(); }
    std::shared_ptr<DriverTexture> MakeTexture(const PreparedTexture& texture, int32_t flags) override {
        return Chosen().MakeTexture(texture, flags);
    }
    void DrawQuads(const DriverTexture* texture, const QuadState& state, const DrawQuad* quads, size_t count) override {
        Chosen().DrawQuads(texture, state, quads, count);
    }
    void Clear(const DrawRect& rect, uint32_t color) override { Chosen().Clear(rect, color); }
    void Flip(int32_t sync) override { Chosen().Flip(sync); }
    PixmapPtr GrabBackBuffer(int32_t x, int32_t y, int32_t width, int32_t height) override {
        return Chosen().GrabBackBuffer(x, y, width, height);
    }
    void SetPointerVisible(bool visible) override { Chosen().SetPointerVisible(visible); }
    void MovePointer(int32_t x, int32_t y) override { Chosen().MovePointer(x, y); }

private:
    TDrawDriver& Chosen() const {
        if (!chosen_) chosen_ = make_();
        return *chosen_;
    }
    std::function<DrawDriverPtr()> make_;
    mutable DrawDriverPtr chosen_;
};

} // namespace

HostDriverKind ChooseHostDriver(const char* forced, const std::string& renderer) {
    if (forced && std::strcmp(forced, "gl") == 0) return HostDriverKind::OpenGL;
    if (forced && std::strcmp(forced, "soft") == 0) return HostDriverKind::Software;
    if (renderer.empty()) return HostDriverKind::Software;
    for (const char* name : kSoftwareRenderers)
        if (renderer.find(name) != std::string::npos) return HostDriverKind::Software;
    return HostDriverKind::OpenGL;
}

std::optional<HostDriverKind> ChooseHostDriverWithoutProbe(const char* forced, bool directRendering,
                                                           const char* alwaysSoftware) {
    if (forced && std::strcmp(forced, "gl") == 0) return HostDriverKind::OpenGL;
    if (forced && std::strcmp(forced, "soft") == 0) return HostDriverKind::Software;
    if (!directRendering) return HostDriverKind::Software;
    // The values Mesa reads as yes.
    if (alwaysSoftware)
        for (const char* yes : {"1", "true", "y", "yes"})
            if (SameIgnoringCase(alwaysSoftware, yes)) return HostDriverKind::Software;
    return std::nullopt;
}

DrawDriverPtr DeferredDriver(std::function<DrawDriverPtr()> make) {
    return std::make_shared<Deferred>(std::move(make));
}
