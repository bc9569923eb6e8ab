// Shared-memory buffers: an anonymous file mapped here and handed to the compositor as a pool.
#include "draw2d/wayland/shm_buffer.h"

#include <wayland-client.h>

#include <sys/mman.h>
#include <unistd.h>

#include <limits>

namespace {

// Closes a descriptor when it goes out of scope.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return fd_; }

private:
    int fd_;
};

constexpr wl_buffer_listener kBufferListener = {
    [](void* data, wl_buffer* buffer) { ShmBuffer::Released(data, buffer); }};

} // namespace

void ShmBuffer::Released(void* data, wl_buffer*) {
    static_cast<ShmBuffer*>(data)->busy_ = false;
}

ShmBuffer::~ShmBuffer() {
    buffer_.reset();
    if (memory_) munmap(memory_, size_);
}

std::unique_ptr<ShmBuffer> ShmBuffer::Create(wl_shm* shm, int32_t width, int32_t height, int32_t stride,
                                             uint32_t format) {
    if (!shm || width <= 0 || height <= 0 || stride < width * 4) return nullptr;
    const size_t size = static_cast<size_t>(stride) * static_cast<size_t>(height);
    if (size > static_cast<size_t>(std::numeric_limits<int32_t>::max())) return nullptr;
    const FileDescriptor fd(memfd_create("capsaro-frame", MFD_CLOEXEC));
    if (fd.Get() < 0 || ftruncate(fd.Get(), static_cast<off_t>(size)) != 0) return nullptr;
    void* memory = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd.Get(), 0);
    if (memory == MAP_FAILED) return nullptr;
    std::unique_ptr<ShmBuffer> buffer(new ShmBuffer());
    buffer->memory_ = memory;
    buffer->size_ = size;
    buffer->width_ = width;
    buffer->height_ = height;
    buffer->stride_ = stride;
    wl_shm_pool* pool = wl_shm_create_pool(shm, fd.Get(), static_cast<int32_t>(size));
    buffer->buffer_ = {wl_shm_pool_create_buffer(pool, 0, width, height, stride, format), wl_buffer_destroy};
    // The buffer keeps the memory; the pool is needed no more.
    wl_shm_pool_destroy(pool);
    wl_buffer_add_listener(buffer->buffer_.get(), &kBufferListener, buffer.get());
    return buffer;
}
