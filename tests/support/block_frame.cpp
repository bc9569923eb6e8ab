// The presenter tests' frame: a grey clear and a white block, flipped.
#include "tests/support/block_frame.h"

#include "draw2d/draw_context.h"
#include "draw2d/graphics.h"

void PresentBlockFrame(int32_t width, int32_t height, int32_t x, int32_t y, int32_t sync) {
    SetViewport(0, 0, width, height);
    SetClearColor(60, 70, 80);
    ClearBackBuffer();
    SetViewport(x, y, 12, 9);
    SetClearColor(255, 255, 255);
    ClearBackBuffer();
    SetViewport(0, 0, width, height);
    Flip(sync);
}
