// Looking at the X screen in the saver's tests: the share of pixels of a kind, and waiting until
// the program shows what it should or draws new frames.
#pragma once

#include "draw2d/pixmap.h"

#include <cstdint>
#include <functional>
#include <vector>

// A rectangle of the screen, right and bottom exclusive.
struct ScreenArea {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// The whole screen of $DISPLAY.
ScreenArea WholeScreen();
// Share of the area's pixels (every `step`-th in each direction) for which `match` holds, given
// 0xRRGGBB; -1 when the screen cannot be read.
double ScreenShare(const ScreenArea& area, const std::function<bool(uint32_t)>& match, int32_t step = 1);
// Polls until `shown` holds (true) or the liveness limit passes (false).
bool WaitForScreen(const std::function<bool()>& shown);
// Waits until the area has changed `count` times in a row, each time against the picture taken
// before: proof that the program behind it is still drawing new frames.
bool WaitForNewFrames(const ScreenArea& area, int count = 3);
