// Asks the X server for its direct-rendering extensions on a short-lived connection.
#include "draw2d/xlib/direct_rendering.h"

#include <X11/Xlib.h>

#include <initializer_list>
#include <memory>

namespace {

struct ConnectionCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};

} // namespace

bool XServerOffersDirectRendering() {
    const std::unique_ptr<Display, ConnectionCloser> display(XOpenDisplay(nullptr));
    if (!display) return false;
    for (const char* name : {"DRI3", "DRI2", "NV-GLX"}) {
        int opcode = 0, event = 0, error = 0;
        if (XQueryExtension(display.get(), name, &opcode, &event, &error)) return true;
    }
    return false;
}
