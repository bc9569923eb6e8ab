// The frame the presenter tests draw: all grey but for a white 12 x 9 block, so that from one
// frame to the next only the block's old and new places change; and how far a Wayland output
// shows the back buffer.
#pragma once

#include <cstdint>
#include <string>

// Draws that frame over width x height of the current display with the block at (x, y) and
// flips it with `sync` (0 at once, 1 when the display asks for it).
void PresentBlockFrame(int32_t width, int32_t height, int32_t x, int32_t y, int32_t sync = 0);

// How many pixels of the Wayland output's screenshot (grim) differ from the current display's back
// buffer at (left, 0), width x height; -1 when either cannot be had. The compositor repaints only
// what a frame damages, so the output is switched off and on first: it is then drawn whole from
// the buffer shown last. The screenshot goes into `folder`.
int PixelsDifferingOnOutput(const std::string& output, int32_t left, int32_t width, int32_t height,
                            const std::string& folder);
