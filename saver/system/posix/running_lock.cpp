// flock-based screen-saver-running flag.
#include "saver/running_lock.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

std::string SaverRunningLock::DefaultPath() {
    const char* runtimeDir = std::getenv("XDG_RUNTIME_DIR");
    if (runtimeDir && *runtimeDir) return std::string(runtimeDir) + "/capsaro-saver.lock";
    const char* tmp = std::getenv("TMPDIR");
    return std::string(tmp && *tmp ? tmp : "/tmp") + "/capsaro-saver-" + std::to_string(getuid()) + ".lock";
}

SaverRunningLock::SaverRunningLock(const std::string& path) {
    const std::string file = path.empty() ? DefaultPath() : path;
    // O_NOFOLLOW: a link planted in a shared temp folder must not redirect us.
    const int fd = open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return;
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
        handle_ = fd;
        return;
    }
    heldElsewhere_ = errno == EWOULDBLOCK;
    close(fd);
}

SaverRunningLock::~SaverRunningLock() {
    if (handle_ != kNone) close(static_cast<int>(handle_));
}
