// The saver's platform services from Windows: the screen's capabilities, the desktop's pixels,
// other programs' window rectangles and the preview's window inside the host's.
#pragma once

#include "saver/platform.h"

#include <memory>

std::unique_ptr<SaverPlatform> MakeWin32Platform();
