// The desktop's pixels on Wayland: each output copied by the compositor (screencopy) into a
// picture of the whole display, at the output's place in the display's coordinates.
#pragma once

#include "draw2d/pixmap.h"

#include <cstdint>

class WaylandConnection;
struct WaylandOutput;

// The output's pixels into `desktop` (FormatRGBA8888, alpha 255) at its place; false when the
// compositor cannot copy them (no screencopy, a refusal, no answer within two seconds).
bool CaptureWaylandOutput(WaylandConnection& connection, const WaylandOutput& output, TPixmap& desktop);
