// Screencopy of one output into a shared-memory buffer, then into the desktop picture.
#include "saver/wayland/desktop_capture.h"

#include "draw2d/wayland/shm_buffer.h"
#include "gui/wayland/wayland_connection.h"
#include "runtime/clock.h"

#include "wlr-screencopy-unstable-v1-client-protocol.h"

#include <wayland-client.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

constexpr int32_t kCaptureLimitMs = 2000;

struct Capture {
    WaylandConnection* connection = nullptr;
    zwlr_screencopy_frame_v1* frame = nullptr;
    std::unique_ptr<ShmBuffer> buffer;
    uint32_t format = 0;
    int32_t width = 0, height = 0, stride = 0;
    bool offered = false; // a buffer format this side reads was offered
    bool yInverted = false;
    bool copying = false;
    bool ready = false;
    bool failed = false;

    void Copy() {
        if (copying || !offered) return;
        copying = true;
        buffer = ShmBuffer::Create(connection->Shm(), width, height, stride, format);
        if (!buffer) {
            failed = true;
            return;
        }
        zwlr_screencopy_frame_v1_copy(frame, buffer->Buffer());
    }
};

// The wl_shm formats read here: 32-bit words, red in the middle byte pair or swapped with blue.
bool Readable(uint32_t format) {
    return format == WL_SHM_FORMAT_XRGB8888 || format == WL_SHM_FORMAT_ARGB8888 || format == WL_SHM_FORMAT_XBGR8888 ||
           format == WL_SHM_FORMAT_ABGR8888;
}

void OnBuffer(void* data, zwlr_screencopy_frame_v1* frame, uint32_t format, uint32_t width, uint32_t height,
              uint32_t stride) {
    auto* capture = static_cast<Capture*>(data);
    if (capture->offered || !Readable(format) || width == 0 || height == 0 || stride < width * 4) return;
    capture->offered = true;
    capture->format = format;
    capture->width = static_cast<int32_t>(width);
    capture->height = static_cast<int32_t>(height);
    capture->stride = static_cast<int32_t>(stride);
    // Before version 3 no "buffer_done" follows: the first usable offer is taken at once.
    if (zwlr_screencopy_frame_v1_get_version(frame) < 3) capture->Copy();
}
void OnFlags(void* data, zwlr_screencopy_frame_v1*, uint32_t flags) {
    static_cast<Capture*>(data)->yInverted = (flags & ZWLR_SCREENCOPY_FRAME_V1_FLAGS_Y_INVERT) != 0;
}
void OnReady(void* data, zwlr_screencopy_frame_v1*, uint32_t, uint32_t, uint32_t) {
    static_cast<Capture*>(data)->ready = true;
}
void OnFailed(void* data, zwlr_screencopy_frame_v1*) {
    static_cast<Capture*>(data)->failed = true;
}
void OnDamage(void*, zwlr_screencopy_frame_v1*, uint32_t, uint32_t, uint32_t, uint32_t) {}
void OnDmabuf(void*, zwlr_screencopy_frame_v1*, uint32_t, uint32_t, uint32_t) {}
void OnBufferDone(void* data, zwlr_screencopy_frame_v1*) {
    auto* capture = static_cast<Capture*>(data);
    if (!capture->offered) capture->failed = true;
    capture->Copy();
}

constexpr zwlr_screencopy_frame_v1_listener kFrameListener = {OnBuffer, OnFlags,  OnReady,     OnFailed,
                                                              OnDamage, OnDmabuf, OnBufferDone};

// The captured pixels into the desktop at the output's place, cut to the output's rectangle.
void Place(const Capture& capture, const WaylandOutput& output, TPixmap& desktop) {
    const bool redFirst = capture.format == WL_SHM_FORMAT_XBGR8888 || capture.format == WL_SHM_FORMAT_ABGR8888;
    const int32_t columns = std::min({capture.width, output.width, desktop.width - output.x});
    const int32_t rows = std::min({capture.height, output.height, desktop.height - output.y});
    for (int32_t y = 0; y < rows; ++y) {
        const int32_t sourceRow = capture.yInverted ? capture.height - 1 - y : y;
        const uint8_t* in = capture.buffer->Bytes() + static_cast<size_t>(sourceRow) * capture.stride;
        uint8_t* out = desktop.Row(output.y + y) + static_cast<size_t>(output.x) * 4;
        for (int32_t x = 0; x < columns; ++x, in += 4, out += 4) {
            // Little-endian words: blue, green, red, x in memory (or red first when swapped).
            out[0] = redFirst ? in[0] : in[2];
            out[1] = in[1];
            out[2] = redFirst ? in[2] : in[0];
            out[3] = 255;
        }
    }
}

} // namespace

bool CaptureWaylandOutput(WaylandConnection& connection, const WaylandOutput& output, TPixmap& desktop) {
    if (!connection.Screencopy() || !connection.Shm() || output.x < 0 || output.y < 0) return false;
    Capture capture;
    capture.connection = &connection;
    capture.frame = zwlr_screencopy_manager_v1_capture_output(connection.Screencopy(), 0, output.output);
    zwlr_screencopy_frame_v1_add_listener(capture.frame, &kFrameListener, &capture);
    const int32_t start = MillisecondClock();
    while (!capture.ready && !capture.failed && ClockDifference(MillisecondClock(), start) < kCaptureLimitMs)
        if (!connection.Dispatch(50)) break;
    zwlr_screencopy_frame_v1_destroy(capture.frame);
    connection.Flush();
    if (!capture.ready || !capture.buffer) return false;
    Place(capture, output, desktop);
    return true;
}
