// The views of a full-screen show: one per monitor, each a rectangle of the display with chillies
// of its own that move within its width and height, drawn clipped to it, and a caption at its own
// foot. What the show has once stays once: the sway angle, the two varieties and the caption.
//
// A show with one view over the whole display is drawn exactly as a show without views (no
// viewport, no origin), so a single monitor gives the same frames as ever.
#pragma once

#include "saver/platform.h"

#include <cstdint>
#include <vector>

// The views for these monitors on a display of width x height: each monitor cut to the display,
// empty and repeated rectangles dropped, the first (the primary) first and the others from left to
// right, then from top to bottom. Empty when the monitors make one view over the whole display,
// or none: the show then has the display as its one view.
std::vector<MonitorRect> ViewsForMonitors(const std::vector<MonitorRect>& monitors, int32_t width, int32_t height);

// The views of this process's show; empty: one view of ViewWidth x ViewHeight at the origin.
extern std::vector<MonitorRect> ShowViews;

// How many views the show has (1 when ShowViews is empty).
size_t ShowViewCount();
// The size of view `index` (the display's ViewWidth x ViewHeight when ShowViews is empty).
void ShowViewSize(size_t index, int32_t viewWidth, int32_t viewHeight, int32_t& width, int32_t& height);

// Parses a monitor layout "WxH+X+Y[,WxH+X+Y…]" (X and Y may be negative) into monitors placed
// relative to the layout's bounding rectangle, whose size it returns; false for a malformed layout
// or one larger than `maxSide` pixels on a side.
bool ParseMonitorLayout(const std::string& text, int32_t maxSide, std::vector<MonitorRect>& monitors, int32_t& width,
                        int32_t& height);
