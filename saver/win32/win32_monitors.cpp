// The monitors' rectangles from EnumDisplayMonitors and their move into display coordinates.
#include "saver/win32/win32_monitors.h"

#include <windows.h>

std::vector<MonitorRect> DisplayMonitors(const std::vector<MonitorArea>& monitors, int32_t originX, int32_t originY) {
    std::vector<MonitorRect> rects;
    for (const MonitorArea& area : monitors) {
        if (area.right <= area.left || area.bottom <= area.top) continue;
        const MonitorRect rect{area.left - originX, area.top - originY, area.right - area.left, area.bottom - area.top};
        // The primary goes first; the others keep the system's order.
        if (area.primary)
            rects.insert(rects.begin(), rect);
        else
            rects.push_back(rect);
    }
    return rects;
}

namespace {

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM found) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info)) return TRUE;
    const RECT& r = info.rcMonitor;
    reinterpret_cast<std::vector<MonitorArea>*>(found)->push_back(
        {r.left, r.top, r.right, r.bottom, (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
    return TRUE;
}

} // namespace

std::vector<MonitorArea> SystemMonitors() {
    std::vector<MonitorArea> monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}
