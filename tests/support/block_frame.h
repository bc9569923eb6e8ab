// The frame the presenter tests draw: all grey but for a white 12 x 9 block, so that from one
// frame to the next only the block's old and new places change.
#pragma once

#include <cstdint>

// Draws that frame over width x height of the current display with the block at (x, y) and
// flips it with `sync` (0 at once, 1 when the display asks for it).
void PresentBlockFrame(int32_t width, int32_t height, int32_t x, int32_t y, int32_t sync = 0);
