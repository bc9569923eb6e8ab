// Shared-memory buffers on the covers of the outputs, written with what changed.
#include "draw2d/wayland/shm_present.h"

#include "draw2d/wayland/output_covers.h"
#include "draw2d/wayland/shm_buffer.h"
#include "gui/wayland/wayland_connection.h"

#include <wayland-client.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// Buffers an output may have at once: one shown, one on its way, one being written.
constexpr size_t kBuffersPerOutput = 3;
// Rectangles a buffer may owe before it is simply copied whole.
constexpr size_t kMostStaleRects = 64;

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

// An output's buffers and what changed there since its last commit (frames it skipped while not
// asking).
struct ShmCover : CoverContent {
    std::vector<CoverBuffer> buffers;
    std::vector<DrawRect> unshown;
    bool wholeUnshown = true;
};

ShmCover& ShmCoverOf(CoverFrame& frame) {
    std::unique_ptr<CoverContent>& content = frame.Content();
    if (auto* cover = dynamic_cast<ShmCover*>(content.get())) return *cover;
    content = std::make_unique<ShmCover>();
    return static_cast<ShmCover&>(*content);
}

CoverBuffer* IdleBuffer(WaylandConnection& connection, ShmCover& cover, int32_t width, int32_t height) {
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
void NoteChanges(ShmCover& cover, const WaylandOutput& output, const std::vector<DrawRect>* changed) {
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

} // namespace

void PresentOnWaylandOutputs(const uint32_t* pixels, int32_t width, int32_t height, int32_t pitch,
                             const std::vector<DrawRect>* changed) {
    WaylandConnection* connection = TheWaylandConnection();
    if (!connection || connection->Lost()) return;
    VisitWaylandCovers([&](CoverFrame& frame) {
        ShmCover& cover = ShmCoverOf(frame);
        const WaylandOutput& output = frame.Output();
        NoteChanges(cover, output, changed);
        if (!frame.Ready()) return;
        const int32_t bufferWidth = frame.BufferWidth(), bufferHeight = frame.BufferHeight();
        CoverBuffer* buffer = IdleBuffer(*connection, cover, bufferWidth, bufferHeight);
        if (!buffer) return;
        wl_surface* surface = frame.Surface();
        // A buffer not at the output's size is stretched by the compositor: it is written whole.
        const bool exact = bufferWidth == output.width && bufferHeight == output.height;
        const bool whole = buffer->wholeStale || cover.wholeUnshown || !exact;
        if (!whole && cover.unshown.empty()) {
            // Nothing changed there: the frame is only asked for, so the pace holds.
            frame.AskForFrame();
            wl_surface_commit(surface);
            return;
        }
        if (buffer->wholeStale || !exact) {
            CopyView(output, pixels, width, height, pitch, *buffer->shm, {0, 0, bufferWidth, bufferHeight});
        } else {
            for (const DrawRect& rect : buffer->stale)
                CopyView(output, pixels, width, height, pitch, *buffer->shm, rect);
        }
        buffer->stale.clear();
        buffer->wholeStale = false;
        frame.PrepareBuffer();
        wl_surface_attach(surface, buffer->shm->Buffer(), 0, 0);
        const bool byBuffer = wl_surface_get_version(surface) >= WL_SURFACE_DAMAGE_BUFFER_SINCE_VERSION;
        if (whole || !byBuffer) {
            if (byBuffer)
                wl_surface_damage_buffer(surface, 0, 0, bufferWidth, bufferHeight);
            else
                // Damage in surface units is clipped to the surface: all of it.
                wl_surface_damage(surface, 0, 0, INT32_MAX, INT32_MAX);
        } else {
            for (const DrawRect& rect : cover.unshown)
                wl_surface_damage_buffer(surface, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
        }
        cover.unshown.clear();
        cover.wholeUnshown = false;
        buffer->shm->MarkBusy();
        wl_surface_commit(surface);
    });
}
