// The layer surfaces over the outputs, their buffers and frame callbacks.
#include "draw2d/wayland/output_covers.h"

#include "draw2d/wayland/shm_buffer.h"
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
#include <cstring>
#include <memory>
#include <vector>

namespace {

// Buffers an output may have at once: one shown, one on its way, one being written.
constexpr size_t kBuffersPerOutput = 3;
// An output that has not asked for a frame for this long is taken as hidden.
constexpr int32_t kHiddenAfterMs = 500;
// How long a closed surface's output may stay before the close ends the show: an output being
// removed closes its surface too, and its removal may come just after.
constexpr int32_t kClosedGraceMs = 500;
// Rectangles a buffer may owe before it is simply copied whole.
constexpr size_t kMostStaleRects = 64;
// How long covering waits for the compositor to size the new surfaces.
constexpr int32_t kConfigureLimitMs = 2000;
// The fractional scale's unit.
constexpr double kScaleUnit = 120.0;

void DestroyLayerSurface(zwlr_layer_surface_v1* surface) {
    zwlr_layer_surface_v1_destroy(surface);
}

// A buffer of an output and what changed on that output since the buffer was last written.
struct CoverBuffer {
    std::unique_ptr<ShmBuffer> shm;
    std::vector<DrawRect> stale;
    bool wholeStale = true;

    void Owe(const DrawRect& rect) {
        if (wholeStale) return;
        if (stale.size() >= kMostStaleRects) {
            wholeStale = true;
            stale.clear();
            return;
        }
        stale.push_back(rect);
    }
};

struct OutputCover {
    uint32_t outputName = 0;
    WaylandHandle<wl_surface> surface;
    WaylandHandle<wp_viewport> viewport;
    WaylandHandle<wp_fractional_scale_v1> fractional;
    WaylandHandle<zwlr_layer_surface_v1> layer;
    WaylandHandle<wl_callback> frame;
    std::vector<CoverBuffer> buffers;
    // What changed on the output since its last commit (frames it skipped while not asking).
    std::vector<DrawRect> unshown;
    bool wholeUnshown = true;
    int32_t width = 0, height = 0; // surface units, as configured
    uint32_t scale120 = 0;         // the fractional scale, 0 where the compositor gives none
    bool configured = false;
    bool closed = false;
    int32_t closedAt = 0;
    int32_t askedAt = 0; // when the pending frame callback was asked for

    ~OutputCover() {
        if (surface) ForgetWaylandSurface(surface.get());
        // The role object before its surface.
        frame.reset();
        layer.reset();
        fractional.reset();
        viewport.reset();
        surface.reset();
    }
};

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

// The buffer size of a cover: its surface size in the output's pixels.
void BufferSize(const OutputCover& cover, const WaylandOutput& output, int32_t& width, int32_t& height) {
    if (cover.viewport && cover.scale120 > 0) {
        width = static_cast<int32_t>(std::lround(cover.width * (cover.scale120 / kScaleUnit)));
        height = static_cast<int32_t>(std::lround(cover.height * (cover.scale120 / kScaleUnit)));
        return;
    }
    width = cover.width * std::max(output.scale, 1);
    height = cover.height * std::max(output.scale, 1);
}

CoverBuffer* IdleBuffer(WaylandConnection& connection, OutputCover& cover, int32_t width, int32_t height) {
    auto& buffers = cover.buffers;
    // Buffers of another size (the output changed) go once the compositor is done with them.
    buffers.erase(std::remove_if(buffers.begin(), buffers.end(),
                                 [&](const CoverBuffer& b) {
                                     return !b.shm->Busy() && (b.shm->Width() != width || b.shm->Height() != height);
                                 }),
                  buffers.end());
    for (CoverBuffer& buffer : buffers)
        if (!buffer.shm->Busy()) return &buffer;
    if (buffers.size() >= kBuffersPerOutput) return nullptr;
    CoverBuffer buffer;
    buffer.shm = ShmBuffer::Create(connection.Shm(), width, height, width * 4, WL_SHM_FORMAT_XRGB8888);
    if (!buffer.shm) return nullptr;
    buffers.push_back(std::move(buffer));
    return &buffers.back();
}

// The part of a display rectangle on the output, in the output's own pixels; empty when none.
DrawRect OnOutput(const DrawRect& rect, const WaylandOutput& output) {
    DrawRect local{std::max(rect.left, output.x) - output.x, std::max(rect.top, output.y) - output.y,
                   std::min(rect.right, output.x + output.width) - output.x,
                   std::min(rect.bottom, output.y + output.height) - output.y};
    if (local.right <= local.left || local.bottom <= local.top) return {};
    return local;
}

bool Empty(const DrawRect& rect) {
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

// The output's rectangle of the display into the buffer, within `area` (the buffer's pixels);
// what lies outside the display is black.
void CopyView(const WaylandOutput& output, const uint32_t* pixels, int32_t width, int32_t height, int32_t pitch,
              ShmBuffer& buffer, const DrawRect& area) {
    const int32_t columns = std::clamp(std::min(width - output.x, output.width), 0, buffer.Width());
    const int32_t rows = std::clamp(std::min(height - output.y, output.height), 0, buffer.Height());
    const int32_t left = std::clamp(area.left, 0, buffer.Width()), right = std::clamp(area.right, 0, buffer.Width());
    const int32_t top = std::clamp(area.top, 0, buffer.Height()), bottom = std::clamp(area.bottom, 0, buffer.Height());
    for (int32_t y = top; y < bottom; ++y) {
        uint32_t* row = buffer.Row(y);
        int32_t copied = left;
        if (y < rows && left < columns) {
            // 0xAARRGGBB words are XRGB8888 pixels as they are.
            const uint32_t* from =
                pixels + static_cast<size_t>(output.y + y) * static_cast<size_t>(pitch) + output.x + left;
            copied = std::min(right, columns);
            std::memcpy(row + left, from, static_cast<size_t>(copied - left) * 4);
        }
        std::fill(row + std::max(copied, left), row + right, 0xFF000000u);
    }
}

// Notes this frame's changes on the output against its buffers and its next commit.
void NoteChanges(OutputCover& cover, const WaylandOutput& output, const std::vector<DrawRect>* changed) {
    if (!changed) {
        cover.wholeUnshown = true;
        cover.unshown.clear();
        for (CoverBuffer& buffer : cover.buffers)
            buffer.wholeStale = true, buffer.stale.clear();
        return;
    }
    for (const DrawRect& rect : *changed) {
        const DrawRect local = OnOutput(rect, output);
        if (Empty(local)) continue;
        for (CoverBuffer& buffer : cover.buffers)
            buffer.Owe(local);
        if (!cover.wholeUnshown) cover.unshown.push_back(local);
    }
}

// Asks the compositor to say when the output wants its next frame (with the next commit).
void AskForFrame(OutputCover& cover) {
    cover.frame = {wl_surface_frame(cover.surface.get()), wl_callback_destroy};
    wl_callback_add_listener(cover.frame.get(), &kFrameListener, &cover);
    cover.askedAt = MillisecondClock();
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

void PresentOnWaylandOutputs(const uint32_t* pixels, int32_t width, int32_t height, int32_t pitch,
                             const std::vector<DrawRect>* changed) {
    WaylandConnection* connection = TheWaylandConnection();
    if (!connection || connection->Lost()) return;
    connection->Dispatch(0);
    FollowOutputs(*connection);
    for (const auto& coverPointer : TheCovers().covers) {
        OutputCover& cover = *coverPointer;
        const WaylandOutput* output = connection->OutputNamed(cover.outputName);
        if (!output) continue;
        NoteChanges(cover, *output, changed);
        if (!Ready(cover)) continue;
        int32_t bufferWidth = 0, bufferHeight = 0;
        BufferSize(cover, *output, bufferWidth, bufferHeight);
        CoverBuffer* buffer = IdleBuffer(*connection, cover, bufferWidth, bufferHeight);
        if (!buffer) continue;
        wl_surface* surface = cover.surface.get();
        // A buffer not at the output's size is stretched by the compositor: it is written whole.
        const bool exact = bufferWidth == output->width && bufferHeight == output->height;
        const bool whole = buffer->wholeStale || cover.wholeUnshown || !exact;
        if (!whole && cover.unshown.empty()) {
            // Nothing changed there: the frame is only asked for, so the pace holds.
            AskForFrame(cover);
            wl_surface_commit(surface);
            continue;
        }
        if (buffer->wholeStale || !exact) {
            CopyView(*output, pixels, width, height, pitch, *buffer->shm, {0, 0, bufferWidth, bufferHeight});
        } else {
            for (const DrawRect& rect : buffer->stale)
                CopyView(*output, pixels, width, height, pitch, *buffer->shm, rect);
        }
        buffer->stale.clear();
        buffer->wholeStale = false;
        if (cover.viewport && cover.scale120 > 0) {
            wp_viewport_set_destination(cover.viewport.get(), cover.width, cover.height);
        } else {
            wl_surface_set_buffer_scale(surface, std::max(output->scale, 1));
        }
        PlaceWaylandSurface(surface, output->x, output->y,
                            cover.width > 0 ? static_cast<double>(bufferWidth) / cover.width : 1.0);
        wl_surface_attach(surface, buffer->shm->Buffer(), 0, 0);
        const bool byBuffer = wl_surface_get_version(surface) >= WL_SURFACE_DAMAGE_BUFFER_SINCE_VERSION;
        if (whole || !byBuffer) {
            if (byBuffer)
                wl_surface_damage_buffer(surface, 0, 0, bufferWidth, bufferHeight);
            else
                wl_surface_damage(surface, 0, 0, cover.width, cover.height);
        } else {
            for (const DrawRect& rect : cover.unshown)
                wl_surface_damage_buffer(surface, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
        }
        cover.unshown.clear();
        cover.wholeUnshown = false;
        AskForFrame(cover);
        buffer->shm->MarkBusy();
        wl_surface_commit(surface);
    }
    connection->Flush();
}

bool WaylandOutputsHidden() {
    const auto& covers = TheCovers().covers;
    if (covers.empty()) return false;
    const int32_t now = MillisecondClock();
    return std::all_of(covers.begin(), covers.end(), [now](const std::unique_ptr<OutputCover>& c) {
        return c->closed || (c->frame && ClockDifference(now, c->askedAt) > kHiddenAfterMs);
    });
}
