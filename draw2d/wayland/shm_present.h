// Software frames on the overlay's covers (output_covers.h): each output's rectangle of the
// display's pixels copied into shared-memory buffers of that output. Buffers keep what they showed,
// so a frame copies and the compositor redraws only what changed since each buffer was last written.
#pragma once

#include "draw2d/draw_driver.h"

#include <cstdint>
#include <vector>

// Shows the display's pixels (0xAARRGGBB, `pitch` pixels a row, width x height) on every output
// that asks for a frame. `changed`, where given, holds the rectangles of the display that differ
// from the frame presented before (the soft driver's damage); each output's buffers are brought
// up to date with what changed since they were last written, and only this frame's changes go to
// the compositor as damage. Null: the whole frame changed.
void PresentOnWaylandOutputs(const uint32_t* pixels, int32_t width, int32_t height, int32_t pitch,
                             const std::vector<DrawRect>* changed = nullptr);
