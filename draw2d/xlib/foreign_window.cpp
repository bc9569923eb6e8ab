// The second X connection that watches foreign windows, and its place in the host pump.
#include "draw2d/xlib/foreign_window.h"

#include "draw2d/xlib/x_errors.h"
#include "gui/events/pump.h"
#include "gui/events/queue.h"

#include <X11/Xlib.h>

#include <map>
#include <set>

namespace {

struct ConnectionCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};

// The watch connection, the watched windows and the sources of their close events.
struct Watch {
    std::unique_ptr<Display, ConnectionCloser> connection;
    std::map<uint64_t, std::weak_ptr<ForeignWindowState>> windows;
    std::map<uint64_t, std::weak_ptr<TObject>> sources;
    // The events selected on each window, and the windows exposed since last asked.
    std::map<uint64_t, long> masks;
    std::set<uint64_t> exposed;
};

// Adds to the events the watch connection selects on the window (XSelectInput replaces them).
void Select(Watch& watch, Display* display, uint64_t window, long mask) {
    long& selected = watch.masks[window];
    selected |= mask;
    XSelectInput(display, window, selected);
}

// Never destroyed: presenters that draw through this connection may outlive static destruction.
Watch& TheWatch() {
    static Watch& watch = *new Watch;
    return watch;
}

void Handle(Watch& watch, const XEvent& event) {
    uint64_t window = 0;
    if (event.type == Expose) {
        watch.exposed.insert(event.xexpose.window);
        return;
    }
    if (event.type == DestroyNotify)
        window = event.xdestroywindow.window;
    else if (event.type == ConfigureNotify)
        window = event.xconfigure.window;
    else
        return;
    const auto found = watch.windows.find(window);
    if (found == watch.windows.end()) return;
    const std::shared_ptr<ForeignWindowState> state = found->second.lock();
    if (!state) return;
    if (event.type == ConfigureNotify) {
        state->width = event.xconfigure.width;
        state->height = event.xconfigure.height;
        return;
    }
    if (state->gone) return;
    state->gone = true;
    std::shared_ptr<TObject> source;
    if (const auto s = watch.sources.find(window); s != watch.sources.end()) source = s->second.lock();
    EmitEvent(MakeEvent(EventWindowClose, std::move(source)));
}

// Wakes the pump when the watch connection has something to read.
class WatchSource : public PumpSource {
public:
    void Dispatch() override { ReadForeignWindowNotifications(); }
    int PrepareWait(std::vector<PumpFd>& fds) override {
        Display* display = TheWatch().connection.get();
        if (!display) return -1;
        if (XPending(display) > 0) return 0;
        fds.push_back(PumpFd{ConnectionNumber(display), kPumpReadable, 0});
        return -1;
    }
};

Display* Connection(Watch& watch) {
    if (watch.connection) return watch.connection.get();
    InstallXErrorHandler();
    watch.connection.reset(XOpenDisplay(nullptr));
    if (watch.connection) AddPumpSource(std::make_shared<WatchSource>());
    return watch.connection.get();
}

} // namespace

std::shared_ptr<ForeignWindowState> WatchForeignWindow(uint64_t window) {
    Watch& watch = TheWatch();
    Display* display = Connection(watch);
    if (!display || window == 0) return nullptr;
    ReadForeignWindowNotifications();
    if (const auto found = watch.windows.find(window); found != watch.windows.end())
        if (std::shared_ptr<ForeignWindowState> state = found->second.lock(); state && !state->gone) return state;
    const uint64_t errorsBefore = XErrorCount();
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, window, &attributes)) return nullptr;
    Select(watch, display, window, StructureNotifyMask);
    XSync(display, False);
    if (XErrorCount() != errorsBefore) return nullptr;
    auto state = std::make_shared<ForeignWindowState>();
    state->window = window;
    state->width = attributes.width;
    state->height = attributes.height;
    watch.windows[window] = state;
    return state;
}

void ReadForeignWindowNotifications() {
    Watch& watch = TheWatch();
    Display* display = watch.connection.get();
    if (!display) return;
    while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        Handle(watch, event);
    }
}

bool WatchForeignExposures(uint64_t window) {
    Watch& watch = TheWatch();
    Display* display = Connection(watch);
    if (!display || window == 0) return false;
    Select(watch, display, window, ExposureMask);
    return true;
}

bool TakeForeignExposure(uint64_t window) {
    ReadForeignWindowNotifications();
    return TheWatch().exposed.erase(window) > 0;
}

void SetForeignWindowSource(uint64_t window, std::weak_ptr<TObject> source) {
    TheWatch().sources[window] = std::move(source);
}

_XDisplay* ForeignWindowConnection() {
    return Connection(TheWatch());
}
