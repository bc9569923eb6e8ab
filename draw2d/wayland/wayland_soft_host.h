// The software driver's windows on Wayland: a full-screen display is the overlay over every output
// (output_covers.h), each output showing its rectangle of the display's pixels, paced by the
// compositor's frame callbacks. Wayland has no windows named by id, so attaching fails.
#pragma once

#include "draw2d/soft/soft_driver.h"

#include <memory>

std::shared_ptr<SoftWindowHost> WaylandSoftWindowHost();
