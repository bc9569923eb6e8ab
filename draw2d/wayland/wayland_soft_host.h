// The software driver's windows on Wayland: a full-screen display is the overlay over every output
// (output_covers.h), each output showing its rectangle of the display's pixels, paced by the
// compositor's frame callbacks. Wayland names no windows by id: only a dialog's canvases without a
// native window (soft_canvas.h) can be attached.
#pragma once

#include "draw2d/soft/soft_driver.h"

#include <memory>

std::shared_ptr<SoftWindowHost> WaylandSoftWindowHost();
