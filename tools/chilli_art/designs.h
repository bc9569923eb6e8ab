// The drawing of each catalogue picture and of the two logos, as scenes of tubes.
#pragma once

#include "render.h"

namespace chilli_art {

// The scene for catalogue picture `index` (0..99), fitted to width x height.
Scene DesignCatalogue(int index, int width, int height);
// The scene for logo frame 0 or 1 (eyes open, then a wink), fitted to size x size.
Scene DesignLogo(int frame, int size);

} // namespace chilli_art
