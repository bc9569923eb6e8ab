// A stand-in for a screen-saver host: opens a top-level X window of the given size, prints its id
// in decimal on standard output, and destroys it when standard input closes or a line arrives.
// Usage: host_window WIDTH HEIGHT
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <poll.h>
#include <unistd.h>

int main(int argc, char** argv) {
    const unsigned width = argc > 1 ? static_cast<unsigned>(std::atoi(argv[1])) : 152;
    const unsigned height = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 112;
    Display* display = XOpenDisplay(nullptr);
    if (!display) return 1;
    const int screen = DefaultScreen(display);
    const Window window = XCreateSimpleWindow(display, RootWindow(display, screen), 10, 10, width, height, 0,
                                              WhitePixel(display, screen), WhitePixel(display, screen));
    XStoreName(display, window, "Capsaro Test Host");
    XMapWindow(display, window);
    XSync(display, False);
    std::printf("%lu\n", window);
    std::fflush(stdout);
    pollfd input{0, POLLIN, 0};
    while (poll(&input, 1, -1) < 0) {
    }
    XDestroyWindow(display, window);
    XSync(display, False);
    XCloseDisplay(display);
    return 0;
}
