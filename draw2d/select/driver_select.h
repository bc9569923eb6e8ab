// Choosing the drawing driver for this machine (the decision is in driver_choice.h).
//
// On X11 probing GL costs a hidden window and a context (150–220 ms), so it is done only where its
// answer can matter (the server offers direct rendering); without an X display the software
// driver is chosen and its OpenDisplay then gives null. On Windows the probe is a hidden window
// with a GL 3.3 core context through WGL. Either way the choice is made when the driver is first
// used.
#pragma once

#include "draw2d/select/driver_choice.h"

// A driver that makes the choice for this host on first use and then acts as the chosen one
// (OpenGL, or the software driver in the host's windows); never null.
DrawDriverPtr SelectHostDriver();
