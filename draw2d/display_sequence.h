// The display sequence: a counter bumped whenever a display opens or closes. Image textures carry
// the value they were made at and are made anew when it has changed.
#pragma once

#include <cstdint>

// The current value; 1 at start, never 0 (0 marks a texture that was never made).
uint32_t DisplaySequence();
// Moves to the next value; called when a display opens or closes.
void AdvanceDisplaySequence();
// The value after current: current + 1, wrapping to 1 rather than 0.
uint32_t NextDisplaySequence(uint32_t current);
