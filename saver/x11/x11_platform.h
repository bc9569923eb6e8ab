// The saver's platform services from the X server.
#pragma once

#include "saver/platform.h"

#include <memory>

// A platform over a connection of its own to the X server named by DISPLAY; its Screen() is
// false when there is none.
std::unique_ptr<SaverPlatform> MakeX11Platform();
