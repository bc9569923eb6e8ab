// The runtime's system services on POSIX systems: /proc for the executable, the monotonic clock.
#include "runtime/system.h"

#include <climits>
#include <cstdlib>
#include <ctime>
#include <unistd.h>

std::string ExecutablePath(const char* argv0) {
    char buffer[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length > 0) return std::string(buffer, static_cast<size_t>(length));
    // Without /proc, resolve the name the program was started by.
    if (argv0 && realpath(argv0, buffer)) return buffer;
    return argv0 ? argv0 : "";
}

int32_t SystemMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const uint64_t ms = static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<int32_t>(static_cast<uint32_t>(ms));
}

void SystemSleep(int32_t milliseconds) {
    timespec span{milliseconds / 1000, static_cast<long>(milliseconds % 1000) * 1000000L};
    while (nanosleep(&span, &span) != 0) {
    }
}

std::vector<std::string> SystemArguments(int argc, char** argv) {
    std::vector<std::string> arguments;
    for (int i = 0; i < argc; ++i)
        arguments.emplace_back(argv[i] ? argv[i] : "");
    return arguments;
}
