// What the shows share: the desktop copy behind them, and for a show drawn into a window of
// another program (the preview, the hosted show) attaching that window and the loop that turns
// timer ticks into frames.
#pragma once

#include "saver/saver.h"

#include "draw2d/graphics.h"
#include "draw2d/image.h"

#include <cstdint>
#include <functional>

// Makes `pixmap` the desktop copy behind the show: DesktopPixmap, DesktopImage loaded from it with
// these image flags, DesktopWidth and DesktopHeight. A null pixmap leaves no copy (and sizes 0).
void SetDesktopCopy(PixmapPtr pixmap, int32_t imageFlags = kDefaultImageFlags);

// Attaches a display to `window` (0: none) and selects it. Null when that fails, after a message
// on standard error naming `namedWindow` (the window the caller was given).
GraphicsPtr AttachShowCanvas(uint64_t window, uint64_t namedWindow);

// What a show loop does besides waiting.
struct ShowLoopSteps {
    // On each timer tick, before the frame is asked for; may be empty.
    std::function<void()> tick;
    // Draws one frame; the loop presents it with Flip(-1).
    std::function<void()> frame;
};

// Waits for events until the canvas is lost, the program is asked to end, or "AppTerminate" or
// "WindowClose" arrives. Each timer tick runs steps.tick and asks for a frame with a paint event of
// the loop's own; ticks that come while a frame is still pending merge into it. Each such paint
// runs steps.frame and flips.
void RunShowLoop(const TGraphics& canvas, const ShowLoopSteps& steps);
