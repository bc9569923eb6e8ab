// Presenting software frames on the overlay over every output.
#include "draw2d/wayland/wayland_soft_host.h"

#include "draw2d/soft/soft_canvas.h"
#include "draw2d/wayland/output_covers.h"
#include "draw2d/wayland/shm_present.h"
#include "gui/wayland/wayland_connection.h"
#include "gui/wayland/wayland_seat.h"

#include <algorithm>

namespace {

// The longest a frame waits for an output to ask for it: a compositor that asks for none (every
// output hidden) still lets the show look at its events this often.
constexpr int32_t kFrameWaitLimitMs = 100;

class OverlayPresenter : public SoftPresenter {
public:
    OverlayPresenter(int32_t width, int32_t height) : width_(width), height_(height) {}
    int32_t Width() const override { return width_; }
    int32_t Height() const override { return height_; }
    bool Lost() const override {
        WaylandConnection* connection = TheWaylandConnection();
        return !connection || connection->Lost();
    }
    void WaitForFrame() override { WaitForWaylandFrame(kFrameWaitLimitMs); }
    void Present(const uint32_t* pixels, int32_t width, int32_t height, int32_t pitch) override {
        PresentOnWaylandOutputs(pixels, width, height, pitch);
    }
    void PresentChanged(const uint32_t* pixels, int32_t width, int32_t height, int32_t pitch,
                        const std::vector<DrawRect>& changed) override {
        PresentOnWaylandOutputs(pixels, width, height, pitch, &changed);
    }

private:
    int32_t width_, height_;
};

class WaylandHost : public SoftWindowHost {
public:
    std::vector<TGraphicsMode> DisplayModes() override { return WaylandOutputModes(); }

    std::unique_ptr<SoftPresenter> OpenWindow(int32_t width, int32_t height, int32_t depth, int32_t) override {
        // Only the full-screen show has a place on Wayland: the overlay over every output.
        if (depth == 0) throw DrawError("SetDisplayMode Failed result=-1");
        if (!CoverWaylandOutputs()) throw DrawError("SetDisplayMode Failed result=-1");
        return std::make_unique<OverlayPresenter>(width, height);
    }

    // Wayland names no windows by id: only the dialog's canvases, which GTK paints, can be attached.
    std::unique_ptr<SoftPresenter> AttachWindow(uint64_t window) override { return PresenterForCanvas(window); }

    bool PacesPresents() const override { return true; }
    void SetPointerVisible(bool visible) override { SetWaylandPointerVisible(visible); }
};

} // namespace

std::shared_ptr<SoftWindowHost> WaylandSoftWindowHost() {
    return std::make_shared<WaylandHost>();
}
