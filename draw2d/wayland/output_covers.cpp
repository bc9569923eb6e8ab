// The layer surfaces over the outputs, their buffers and frame callbacks.
#include "draw2d/wayland/output_covers.h"

#include "gui/events/event.h"
#include "gui/events/queue.h"
#include "gui/wayland/wayland_connection.h"
#include "gui/wayland/wayland_seat.h"
#include "runtime/clock.h"

#include "fractional-scale-v1-client-protocol.h"
#include "viewporter-client-protocol.h"
#include "wlr-layer-shell-unstable-v1-client-protocol.h"

#include <wayland-client.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {

// An output that has not asked for a frame for this long is taken as hidden.
constexpr int32_t kHiddenAfterMs = 500;
// How long a closed surface's output may stay before the close ends the show: an output being
// removed closes its surface too, and its removal may come just after.
constexpr int32_t kClosedGraceMs = 500;
// How long covering waits for the compositor to size the new surfaces.
constexpr int32_t kConfigureLimitMs = 2000;
// The fractional scale's unit.
constexpr double kScaleUnit = 120.0;

void DestroyLayerSurface(zwlr_layer_surface_v1* surface) {
    zwlr_layer_surface_v1_destroy(surface);
}

} // namespace

struct OutputCover {
    uint32_t outputName = 0;
    WaylandHandle<wl_surface> surface;
    WaylandHandle<wp_viewport> viewport;
    WaylandHandle<wp_fractional_scale_v1> fractional;
    WaylandHandle<zwlr_layer_surface_v1> layer;
    WaylandHandle<wl_callback> frame;
    std::unique_ptr<CoverContent> content;
    int32_t width = 0, height = 0; // surface units, as configured
    uint32_t scale120 = 0;         // the fractional scale, 0 where the compositor gives none
    bool configured = false;
    bool closed = false;
    int32_t closedAt = 0;
    int32_t askedAt = 0; // when the pending frame callback was asked for

    ~OutputCover() {
        if (surface) ForgetWaylandSurface(surface.get());
        // What fills the surface and the role object go before the surface.
        content.reset();
        frame.reset();
        layer.reset();
        fractional.reset();
        viewport.reset();
        surface.reset();
    }
};

namespace {

struct Covers {
    std::vector<std::unique_ptr<OutputCover>> covers;
    bool ending = false; // the show was told to end
};

Covers& TheCovers() {
    static Covers covers;
    return covers;
}

void Configure(void* data, zwlr_layer_surface_v1* layer, uint32_t serial, uint32_t width, uint32_t height) {
    auto* cover = static_cast<OutputCover*>(data);
    zwlr_layer_surface_v1_ack_configure(layer, serial);
    cover->width = static_cast<int32_t>(width);
    cover->height = static_cast<int32_t>(height);
    cover->configured = width > 0 && height > 0;
}

void Closed(void* data, zwlr_layer_surface_v1*) {
    auto* cover = static_cast<OutputCover*>(data);
    if (cover->closed) return;
    cover->closed = true;
    cover->closedAt = MillisecondClock();
}

constexpr zwlr_layer_surface_v1_listener kLayerListener = {Configure, Closed};

void PreferredScale(void* data, wp_fractional_scale_v1*, uint32_t scale) {
    static_cast<OutputCover*>(data)->scale120 = scale;
}

constexpr wp_fractional_scale_v1_listener kFractionalListener = {PreferredScale};

void FrameDone(void* data, wl_callback*, uint32_t) {
    static_cast<OutputCover*>(data)->frame.reset();
}

constexpr wl_callback_listener kFrameListener = {FrameDone};

std::unique_ptr<OutputCover> MakeCover(WaylandConnection& connection, const WaylandOutput& output) {
    auto cover = std::make_unique<OutputCover>();
    cover->outputName = output.name;
    cover->surface = {wl_compositor_create_surface(connection.Compositor()), wl_surface_destroy};
    wl_surface* surface = cover->surface.get();
    if (connection.Viewporter() && connection.FractionalScale()) {
        cover->viewport = {wp_viewporter_get_viewport(connection.Viewporter(), surface), wp_viewport_destroy};
        cover->fractional = {wp_fractional_scale_manager_v1_get_fractional_scale(connection.FractionalScale(), surface),
                             wp_fractional_scale_v1_destroy};
        wp_fractional_scale_v1_add_listener(cover->fractional.get(), &kFractionalListener, cover.get());
    }
    cover->layer = {zwlr_layer_shell_v1_get_layer_surface(connection.LayerShell(), surface, output.output,
                                                          ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY, "capsaro"),
                    DestroyLayerSurface};
    zwlr_layer_surface_v1* layer = cover->layer.get();
    zwlr_layer_surface_v1_add_listener(layer, &kLayerListener, cover.get());
    zwlr_layer_surface_v1_set_size(layer, 0, 0);
    zwlr_layer_surface_v1_set_anchor(layer, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                                                ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT);
    zwlr_layer_surface_v1_set_exclusive_zone(layer, -1);
    zwlr_layer_surface_v1_set_keyboard_interactivity(layer, ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_EXCLUSIVE);
    // The first commit, without a buffer, asks the compositor for the surface's size.
    wl_surface_commit(surface);
    return cover;
}

// A length of the cover's surface (in surface units) in the pixels of a buffer that shows the
// output pixel for pixel.
int32_t InBufferPixels(const OutputCover& cover, const WaylandOutput& output, int32_t units) {
    if (cover.viewport && cover.scale120 > 0)
        return static_cast<int32_t>(std::lround(units * (cover.scale120 / kScaleUnit)));
    return units * std::max(output.scale, 1);
}

bool Ready(const OutputCover& cover) {
    return cover.configured && !cover.closed && !cover.frame;
}

// Drops covers whose output is gone; a cover closed while its output stays ends the show.
void FollowOutputs(WaylandConnection& connection) {
    Covers& all = TheCovers();
    auto& covers = all.covers;
    covers.erase(std::remove_if(covers.begin(), covers.end(),
                                [&](const std::unique_ptr<OutputCover>& cover) {
                                    return !connection.OutputNamed(cover->outputName);
                                }),
                 covers.end());
    for (const auto& cover : covers) {
        if (!cover->closed || all.ending) continue;
        if (ClockDifference(MillisecondClock(), cover->closedAt) < kClosedGraceMs) continue;
        all.ending = true;
        EmitEvent(MakeEvent(EventAppTerminate));
    }
}

} // namespace

bool CoverWaylandOutputs() {
    WaylandConnection* connection = TheWaylandConnection();
    if (!connection || !connection->LayerShell() || !connection->Compositor() || !connection->Shm()) return false;
    FollowOutputs(*connection);
    auto& covers = TheCovers().covers;
    for (const WaylandOutput* output : connection->Outputs()) {
        const bool covered = std::any_of(covers.begin(), covers.end(), [&](const std::unique_ptr<OutputCover>& c) {
            return c->outputName == output->name;
        });
        if (!covered) covers.push_back(MakeCover(*connection, *output));
    }
    const int32_t start = MillisecondClock();
    auto sized = [&] {
        return std::all_of(covers.begin(), covers.end(),
                           [](const std::unique_ptr<OutputCover>& c) { return c->configured || c->closed; });
    };
    while (!sized() && ClockDifference(MillisecondClock(), start) < kConfigureLimitMs)
        if (!connection->Dispatch(50)) return false;
    return !covers.empty();
}

bool WaylandOutputCovered(uint32_t outputName) {
    const auto& covers = TheCovers().covers;
    return std::any_of(covers.begin(), covers.end(),
                       [outputName](const std::unique_ptr<OutputCover>& c) { return c->outputName == outputName; });
}

void WaitForWaylandFrame(int32_t limitMs) {
    WaylandConnection* connection = TheWaylandConnection();
    if (!connection) return;
    auto& covers = TheCovers().covers;
    const int32_t start = MillisecondClock();
    for (;;) {
        if (std::any_of(covers.begin(), covers.end(), [](const std::unique_ptr<OutputCover>& c) { return Ready(*c); }))
            return;
        const int32_t left = limitMs - ClockDifference(MillisecondClock(), start);
        if (left <= 0 || !connection->Dispatch(left)) return;
    }
}

bool WaylandOutputsHidden() {
    const auto& covers = TheCovers().covers;
    if (covers.empty()) return false;
    const int32_t now = MillisecondClock();
    return std::all_of(covers.begin(), covers.end(), [now](const std::unique_ptr<OutputCover>& c) {
        return c->closed || (c->frame && ClockDifference(now, c->askedAt) > kHiddenAfterMs);
    });
}

std::vector<TGraphicsMode> WaylandOutputModes() {
    std::vector<TGraphicsMode> modes;
    if (WaylandConnection* connection = TheWaylandConnection())
        for (const WaylandOutput* output : connection->Outputs())
            modes.push_back({output->width, output->height, 32, (output->refreshMilliHz + 500) / 1000});
    return modes;
}

void VisitWaylandCovers(const std::function<void(CoverFrame&)>& visit) {
    WaylandConnection* connection = TheWaylandConnection();
    if (!connection || connection->Lost()) return;
    connection->Dispatch(0);
    FollowOutputs(*connection);
    for (const auto& cover : TheCovers().covers) {
        const WaylandOutput* output = connection->OutputNamed(cover->outputName);
        if (!output) continue;
        CoverFrame frame(*cover, *output);
        visit(frame);
    }
    connection->Flush();
}

void DropWaylandCoverContents() {
    for (const auto& cover : TheCovers().covers)
        cover->content.reset();
}

wl_surface* CoverFrame::Surface() const {
    return cover_.surface.get();
}

int32_t CoverFrame::BufferWidth() const {
    return InBufferPixels(cover_, output_, cover_.width);
}

int32_t CoverFrame::BufferHeight() const {
    return InBufferPixels(cover_, output_, cover_.height);
}

bool CoverFrame::Ready() const {
    return ::Ready(cover_);
}

std::unique_ptr<CoverContent>& CoverFrame::Content() {
    return cover_.content;
}

void CoverFrame::PrepareBuffer() {
    wl_surface* surface = cover_.surface.get();
    if (cover_.viewport && cover_.scale120 > 0) {
        wp_viewport_set_destination(cover_.viewport.get(), cover_.width, cover_.height);
    } else {
        wl_surface_set_buffer_scale(surface, std::max(output_.scale, 1));
    }
    PlaceWaylandSurface(surface, output_.x, output_.y,
                        cover_.width > 0 ? static_cast<double>(BufferWidth()) / cover_.width : 1.0);
    AskForFrame();
}

void CoverFrame::AskForFrame() {
    cover_.frame = {wl_surface_frame(cover_.surface.get()), wl_callback_destroy};
    wl_callback_add_listener(cover_.frame.get(), &kFrameListener, &cover_);
    cover_.askedAt = MillisecondClock();
}
