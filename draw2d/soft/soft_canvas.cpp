// The registry of software canvases and the window host that attaches only them.
#include "draw2d/soft/soft_canvas.h"

#include <map>
#include <mutex>
#include <utility>

struct SoftCanvasRegistry {
    // Ids start high in the 64-bit range (see IsSoftCanvasId) and are never reused in a process, so
    // a display still holding an ended canvas's id can never reach a newer canvas.
    static constexpr uint64_t kFirstId = uint64_t{1} << 48;

    std::mutex mutex;
    std::map<uint64_t, SoftCanvasPresenters> canvases;
    uint64_t next = kFirstId;
};

namespace {

// Shared with every registration: a gadget tree that ends at exit may outlive this static.
const std::shared_ptr<SoftCanvasRegistry>& TheRegistry() {
    static const std::shared_ptr<SoftCanvasRegistry> registry = std::make_shared<SoftCanvasRegistry>();
    return registry;
}

class CanvasOnlyHost : public SoftWindowHost {
public:
    std::vector<TGraphicsMode> DisplayModes() override { return {}; }
    std::unique_ptr<SoftPresenter> OpenWindow(int32_t, int32_t, int32_t, int32_t) override {
        throw DrawError("Failed to create window");
    }
    std::unique_ptr<SoftPresenter> AttachWindow(uint64_t window) override { return PresenterForCanvas(window); }
};

} // namespace

SoftCanvasRegistration::SoftCanvasRegistration(SoftCanvasPresenters presenters) {
    if (!presenters) return;
    registry_ = TheRegistry();
    const std::lock_guard<std::mutex> lock(registry_->mutex);
    id_ = registry_->next++;
    registry_->canvases.emplace(id_, std::move(presenters));
}

SoftCanvasRegistration::~SoftCanvasRegistration() {
    End();
}

SoftCanvasRegistration::SoftCanvasRegistration(SoftCanvasRegistration&& other) noexcept
    : registry_(std::move(other.registry_)), id_(std::exchange(other.id_, 0)) {}

SoftCanvasRegistration& SoftCanvasRegistration::operator=(SoftCanvasRegistration&& other) noexcept {
    if (this != &other) {
        End();
        registry_ = std::move(other.registry_);
        id_ = std::exchange(other.id_, 0);
    }
    return *this;
}

void SoftCanvasRegistration::End() {
    if (!registry_) return;
    // The factory may hold a host's state: it is released outside the lock.
    SoftCanvasPresenters ended;
    {
        const std::lock_guard<std::mutex> lock(registry_->mutex);
        auto it = registry_->canvases.find(id_);
        if (it != registry_->canvases.end()) {
            ended = std::move(it->second);
            registry_->canvases.erase(it);
        }
    }
    registry_.reset();
    id_ = 0;
}

bool IsSoftCanvasId(uint64_t id) {
    return id >= SoftCanvasRegistry::kFirstId;
}

std::unique_ptr<SoftPresenter> PresenterForCanvas(uint64_t id) {
    if (!IsSoftCanvasId(id)) return nullptr;
    SoftCanvasPresenters presenters;
    {
        SoftCanvasRegistry& registry = *TheRegistry();
        const std::lock_guard<std::mutex> lock(registry.mutex);
        auto it = registry.canvases.find(id);
        if (it == registry.canvases.end()) return nullptr;
        presenters = it->second;
    }
    // Made outside the lock: the factory may register or end canvases itself.
    return presenters();
}

std::shared_ptr<SoftWindowHost> SoftCanvasWindowHost() {
    return std::make_shared<CanvasOnlyHost>();
}
