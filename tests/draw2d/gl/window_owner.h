// A child process that owns an X window, for tests of displays attached to another process's window.
#pragma once

#include <sys/types.h>

#include <cstdint>

// A child process that owns a 200 x 150 window, resizes it to 300 x 100 on 'r' and destroys it
// on 'd'. Uses plain Xlib on a connection of its own.
class WindowOwner {
public:
    WindowOwner();
    ~WindowOwner();
    WindowOwner(const WindowOwner&) = delete;
    WindowOwner& operator=(const WindowOwner&) = delete;
    uint64_t Window() const { return window_; }
    // Sends a command and waits until the child has done it; false when the child is gone.
    bool Command(char command);

    // The child's side: makes the window, reports its id, obeys commands until the pipe closes.
    static void Serve(int commands, int replies);

private:
    pid_t pid_ = -1;
    int commands_ = -1, replies_ = -1;
    uint64_t window_ = 0;
};
