// Win32 windows for software displays: full screen (a topmost popup over the screen), an own
// captioned window, or a window that exists already (a preview's), each frame shown with
// SetDIBitsToDevice. Window messages become events through the Win32 message pump.
#pragma once

#include "draw2d/draw_driver.h"

#include <memory>

// The software driver with Win32 windows.
DrawDriverPtr Win32SoftwareDriver();
