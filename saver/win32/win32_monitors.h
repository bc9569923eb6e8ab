// The monitors Windows shows the screen on, as the full-screen display's rectangles: the
// system's monitor rectangles (screen coordinates) moved by the virtual screen's origin.
#pragma once

#include "saver/platform.h"

#include <cstdint>
#include <vector>

// One monitor as the system names it: its rectangle in screen coordinates (right and bottom
// exclusive) and whether it is the primary one.
struct MonitorArea {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    bool primary = false;
};

// The monitors in the coordinates of a display whose top-left corner lies at (originX, originY)
// on the screen, the primary first and the others in the order given; empty monitors are left out.
std::vector<MonitorRect> DisplayMonitors(const std::vector<MonitorArea>& monitors, int32_t originX, int32_t originY);

// The system's monitors now (EnumDisplayMonitors), in its order; empty when it names none.
std::vector<MonitorArea> SystemMonitors();
