// The OpenGL driver's windows on Wayland: a full-screen display is the overlay over every output
// (draw2d/wayland/output_covers.h). Its GL 3.3 core context (through EGL on the compositor's
// connection) draws into a framebuffer object of the display's size; each Swap copies every
// output's rectangle of it into that output's EGL window surface, at the output's pixels, on the
// outputs that have asked for a frame, paced by the compositor's frame callbacks alone. Wayland
// names no windows by id: nothing can be attached (a dialog's canvases take the software driver).
#pragma once

#include "draw2d/gl/gl_window.h"

#include <memory>

std::shared_ptr<GlWindowHost> WaylandGlWindowHost();
