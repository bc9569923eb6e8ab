// Choosing the drawing driver on Wayland (the decision is in driver_choice.h): the OpenGL driver
// on the overlay through EGL, or the software driver on the overlay's shared-memory buffers.
// The probe is a context without a surface on the compositor's EGL display.
#pragma once

#include "draw2d/select/driver_choice.h"

// A driver that makes the choice on first use and then acts as the chosen one; never null.
// With CAPSARO_GL_DIAGNOSTICS set, the choice is told on standard error.
DrawDriverPtr SelectWaylandDriver();
