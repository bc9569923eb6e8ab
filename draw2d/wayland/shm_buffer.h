// A wl_shm buffer: pixels in shared memory the compositor reads. Busy from the moment it is
// handed to the compositor until the compositor releases it; only an idle buffer may be written.
#pragma once

#include "gui/wayland/wayland_handle.h"

#include <cstdint>
#include <memory>

struct wl_buffer;
struct wl_shm;

class ShmBuffer {
public:
    ~ShmBuffer();
    ShmBuffer(const ShmBuffer&) = delete;
    ShmBuffer& operator=(const ShmBuffer&) = delete;

    // A buffer of width x height pixels, `stride` bytes a row, of a wl_shm pixel format; null when
    // the memory cannot be had.
    static std::unique_ptr<ShmBuffer> Create(wl_shm* shm, int32_t width, int32_t height, int32_t stride,
                                             uint32_t format);

    wl_buffer* Buffer() const { return buffer_.get(); }
    uint8_t* Bytes() const { return static_cast<uint8_t*>(memory_); }
    uint32_t* Row(int32_t y) const { return reinterpret_cast<uint32_t*>(Bytes() + static_cast<size_t>(y) * stride_); }
    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    int32_t Stride() const { return stride_; }
    bool Busy() const { return busy_; }
    // The buffer goes to the compositor now.
    void MarkBusy() { busy_ = true; }

    // The compositor's release of the buffer.
    static void Released(void* data, wl_buffer* buffer);

private:
    ShmBuffer() = default;

    WaylandHandle<wl_buffer> buffer_;
    void* memory_ = nullptr;
    size_t size_ = 0;
    int32_t width_ = 0, height_ = 0, stride_ = 0;
    bool busy_ = false;
};
