// The saver's platform services from the Wayland compositor.
#pragma once

#include "saver/platform.h"

#include <memory>

// A platform over the process's Wayland connection; its Screen() is false without a compositor
// or without an output.
std::unique_ptr<SaverPlatform> MakeWaylandPlatform();
