// The overlay that covers every output while the show runs: a layer surface on the overlay layer
// of each output, anchored to its four edges, taking the keyboard, its buffers in the output's
// own pixels (the output's integer scale, or the fractional scale with a viewport where the
// compositor offers them), so a scaled output is drawn sharp.
//
// A frame shows each output's rectangle of the display's pixels (the layout of
// gui/wayland/wayland_connection.h). An output is drawn only when the compositor has asked for a
// frame there (its frame callback came back): a hidden or switched-off output asks for none and
// costs nothing. Buffers keep what they showed, so a frame copies and the compositor redraws only
// what changed since each buffer was last written. Covers come for the outputs there are when the
// overlay is (re)shown and go with their outputs; a surface the compositor closes while its output
// stays ends the show.
#pragma once

#include "draw2d/draw_driver.h"

#include <cstdint>
#include <vector>

class WaylandConnection;

// Covers every output that has none yet, waiting (briefly) until the compositor has sized them;
// drops the covers of outputs that are gone. False when there is no connection or layer shell.
bool CoverWaylandOutputs();

// Whether the output (by its registry name) has a cover now.
bool WaylandOutputCovered(uint32_t outputName);

// Waits until some output asks for a frame, at most `limitMs`, handling the compositor's events.
void WaitForWaylandFrame(int32_t limitMs);
// Shows the display's pixels (0xAARRGGBB, `pitch` pixels a row, width x height) on every output
// that asks for a frame. `changed`, where given, holds the rectangles of the display that differ
// from the frame presented before (the soft driver's damage); each output's buffers are brought
// up to date with what changed since they were last written, and only this frame's changes go to
// the compositor as damage. Null: the whole frame changed.
void PresentOnWaylandOutputs(const uint32_t* pixels, int32_t width, int32_t height, int32_t pitch,
                             const std::vector<DrawRect>* changed = nullptr);

// True while there are covers and none has asked for a frame for a while: the compositor hides
// them (outputs off or covered), and the show need not draw.
bool WaylandOutputsHidden();
