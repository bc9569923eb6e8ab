// The window-owning child process of the attached-display tests: plain Xlib, its own connection.
#include "window_owner.h"

#include <X11/Xlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr const char* kOwnerVariable = "CAPSARO_TEST_WINDOW_OWNER";

// In the re-executed child, serves before main() runs and exits.
const bool servedAsOwner = [] {
    const char* fds = std::getenv(kOwnerVariable);
    if (!fds) return false;
    int commands = -1, replies = -1;
    if (std::sscanf(fds, "%d,%d", &commands, &replies) == 2) WindowOwner::Serve(commands, replies);
    _exit(0);
}();

} // namespace

WindowOwner::WindowOwner() {
    int toChild[2], fromChild[2];
    if (pipe(toChild) != 0 || pipe(fromChild) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
        // A fresh image of this program: after fork, locks held by the parent's other threads
        // (Xlib's, the GL driver's) would stay held forever in the child.
        close(toChild[1]);
        close(fromChild[0]);
        const std::string fds = std::to_string(toChild[0]) + "," + std::to_string(fromChild[1]);
        setenv(kOwnerVariable, fds.c_str(), 1);
        execl("/proc/self/exe", "window_owner", static_cast<char*>(nullptr));
        _exit(1);
    }
    close(toChild[0]);
    close(fromChild[1]);
    commands_ = toChild[1];
    replies_ = fromChild[0];
    uint64_t id = 0;
    if (read(replies_, &id, sizeof id) == static_cast<ssize_t>(sizeof id)) window_ = id;
}

WindowOwner::~WindowOwner() {
    if (commands_ >= 0) close(commands_);
    if (replies_ >= 0) close(replies_);
    if (pid_ > 0) waitpid(pid_, nullptr, 0);
}

bool WindowOwner::Command(char command) {
    char done = 0;
    return write(commands_, &command, 1) == 1 && read(replies_, &done, 1) == 1;
}

void WindowOwner::Serve(int commands, int replies) {
    Display* display = XOpenDisplay(nullptr);
    uint64_t id = 0;
    if (!display) {
        (void)!write(replies, &id, sizeof id);
        return;
    }
    const ::Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 10, 10, 200, 150, 0, 0, 0);
    XMapWindow(display, window);
    XSync(display, False);
    id = window;
    (void)!write(replies, &id, sizeof id);
    char command = 0;
    while (read(commands, &command, 1) == 1) {
        if (command == 'r') XResizeWindow(display, window, 300, 100);
        if (command == 'd') XDestroyWindow(display, window);
        XSync(display, False);
        (void)!write(replies, &command, 1);
    }
    XCloseDisplay(display);
}
