// The software driver's windows through SDL (no GL): frames go straight to the window's X window,
// from shared memory where the server allows it; the SDL window surface is the last resort.
#pragma once

#include "draw2d/soft/soft_driver.h"

#include <memory>

// The window host for SoftwareDriver(). Without an X display OpenWindow throws DrawError and
// AttachWindow gives null, so OpenDisplay gives null.
std::shared_ptr<SoftWindowHost> SdlSoftWindowHost();
