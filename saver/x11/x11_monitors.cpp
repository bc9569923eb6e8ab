// Monitors through RandR 1.5 or Xinerama, and the display's power state through DPMS.
#include "saver/x11/x11_monitors.h"

#include <X11/extensions/Xinerama.h>
#include <X11/extensions/Xrandr.h>
#include <X11/extensions/dpms.h>

#include <memory>

namespace {

struct XFreeDeleter {
    void operator()(void* data) const { XFree(data); }
};

std::vector<MonitorRect> RandrMonitors(Display* display) {
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XRRQueryExtension(display, &eventBase, &errorBase) || !XRRQueryVersion(display, &major, &minor) ||
        major * 100 + minor < 105)
        return {};
    int count = 0;
    std::unique_ptr<XRRMonitorInfo, void (*)(XRRMonitorInfo*)> monitors(
        XRRGetMonitors(display, DefaultRootWindow(display), True, &count), XRRFreeMonitors);
    std::vector<MonitorRect> rects;
    for (int i = 0; monitors && i < count; ++i) {
        const XRRMonitorInfo& monitor = monitors.get()[i];
        const MonitorRect rect{monitor.x, monitor.y, monitor.width, monitor.height};
        if (monitor.primary)
            rects.insert(rects.begin(), rect);
        else
            rects.push_back(rect);
    }
    return rects;
}

std::vector<MonitorRect> XineramaMonitors(Display* display) {
    int eventBase = 0, errorBase = 0;
    if (!XineramaQueryExtension(display, &eventBase, &errorBase) || !XineramaIsActive(display)) return {};
    int count = 0;
    const std::unique_ptr<XineramaScreenInfo, XFreeDeleter> screens(XineramaQueryScreens(display, &count));
    std::vector<MonitorRect> rects;
    // The first head is the primary one.
    for (int i = 0; screens && i < count; ++i) {
        const XineramaScreenInfo& head = screens.get()[i];
        rects.push_back({head.x_org, head.y_org, head.width, head.height});
    }
    return rects;
}

} // namespace

std::vector<MonitorRect> X11Monitors(Display* display) {
    if (!display) return {};
    std::vector<MonitorRect> monitors = RandrMonitors(display);
    return monitors.empty() ? XineramaMonitors(display) : monitors;
}

bool X11DisplayOff(Display* display) {
    int eventBase = 0, errorBase = 0;
    if (!display || !DPMSQueryExtension(display, &eventBase, &errorBase) || !DPMSCapable(display)) return false;
    CARD16 level = DPMSModeOn;
    BOOL enabled = False;
    return DPMSInfo(display, &level, &enabled) && enabled && level != DPMSModeOn;
}
