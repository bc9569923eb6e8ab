// The software driver's windows through SDL: frames are copied into the window's SDL surface (no
// GL); frames for an attached foreign window go straight to X with XPutImage.
#pragma once

#include "draw2d/soft/soft_driver.h"

#include <memory>

// The window host for SoftwareDriver(). Without an X display OpenWindow throws DrawError and
// AttachWindow gives null, so OpenDisplay gives null.
std::shared_ptr<SoftWindowHost> SdlSoftWindowHost();
