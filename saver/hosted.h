// The hosted show: the full-screen show's picture drawn into a window a screen-saver daemon owns
// (XScreenSaver's --root and --window-id, MATE's XSCREENSAVER_WINDOW).
#pragma once

#include "saver/platform.h"
#include "saver/run_options.h"
#include "saver/saver.h"

#include <cstdint>

// The window to draw into: --window-id, else the id in `environmentWindow` (the value of
// XSCREENSAVER_WINDOW, hex or decimal; may be null), else the root window. 0 when there is none.
uint64_t HostedWindow(const RunOptions& options, const char* environmentWindow, SaverPlatform& platform);

// Draws the show into `window`, following its size, until the window is destroyed or the program
// is asked to end. Reads no input and grabs nothing. Returns at once when the window cannot be used.
void RunHostedShow(TSaver& saver, uint64_t window);

// Whether the frame needs a black clear before Draw: the desktop copy is the background but does
// not cover the whole view (or there is none).
bool HostedBackgroundNeedsClear(int32_t viewWidth, int32_t viewHeight);
