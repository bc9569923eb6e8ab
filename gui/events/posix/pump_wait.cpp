// The pump's sleep on POSIX systems: one poll(2) over the sources' descriptors and an eventfd.
#include "gui/events/pump_wait.h"

#include "runtime/runtime_error.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <vector>

namespace {

static_assert(kPumpReadable == POLLIN, "PumpFd flags are poll(2)'s");

// Owns the eventfd that wakes the wait.
class WakeDescriptor {
public:
    WakeDescriptor() : fd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {
        if (fd_ < 0) RuntimeError("Cannot create the pump's wake descriptor");
    }
    ~WakeDescriptor() { close(fd_); }
    WakeDescriptor(const WakeDescriptor&) = delete;
    WakeDescriptor& operator=(const WakeDescriptor&) = delete;

    int Fd() const { return fd_; }

private:
    int fd_;
};

const WakeDescriptor& Wake() {
    static const WakeDescriptor wake;
    return wake;
}

} // namespace

void RaisePumpWake() {
    const uint64_t one = 1;
    // A full counter (EAGAIN) is already readable, which is all a wake needs.
    while (write(Wake().Fd(), &one, sizeof one) < 0 && errno == EINTR) {
    }
}

void ClearPumpWake() {
    uint64_t count = 0;
    while (read(Wake().Fd(), &count, sizeof count) < 0 && errno == EINTR) {
    }
}

void WaitForPump(PumpFd* fds, size_t count, int timeout) {
    static std::vector<pollfd> polled;
    polled.clear();
    polled.push_back(pollfd{Wake().Fd(), POLLIN, 0});
    for (size_t i = 0; i < count; ++i)
        polled.push_back(pollfd{fds[i].fd, fds[i].events, 0});
    const bool failed = poll(polled.data(), polled.size(), timeout) < 0;
    for (size_t i = 0; i < count; ++i)
        fds[i].revents = failed ? short(0) : polled[i + 1].revents;
}
