// The monitors of an X screen and whether its display is switched off.
#pragma once

#include "saver/platform.h"

#include <X11/Xlib.h>

#include <vector>

// The screen's monitors from RandR 1.5, else from Xinerama (which replaces RandR where it is on),
// the primary first; empty where the server tells neither.
std::vector<MonitorRect> X11Monitors(Display* display);

// True while DPMS has put the display into standby, suspend or off; false where the server has no
// DPMS or it is disabled.
bool X11DisplayOff(Display* display);
