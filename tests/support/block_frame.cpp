// The presenter tests' frame: a grey clear and a white block, flipped; an output against it.
#include "tests/support/block_frame.h"

#include "draw2d/draw_context.h"
#include "draw2d/graphics.h"
#include "draw2d/png_io.h"
#include "draw2d/stream.h"

#include <cstdlib>

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

int PixelsDifferingOnOutput(const std::string& output, int32_t left, int32_t width, int32_t height,
                            const std::string& folder) {
    const std::string file = folder + "/" + output + ".png";
    const std::string repaint = "swaymsg output " + output + " dpms off >/dev/null && swaymsg output " + output +
                                " dpms on >/dev/null && sleep 0.2";
    if (std::system(repaint.c_str()) != 0) return -1;
    if (std::system(("grim -o " + output + " " + file).c_str()) != 0) return -1;
    const StreamPtr stream = OpenFileStream(file, true, false);
    const PixmapPtr shown = stream ? LoadPixmapPng(*stream) : nullptr;
    const PixmapPtr back = GrabBackBuffer(left, 0, width, height);
    if (!shown || !back || shown->width != width || shown->height != height) return -1;
    int differing = 0;
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            differing += (ReadPixel(*shown, x, y) & 0xFFFFFF) != (ReadPixel(*back, x, y) & 0xFFFFFF);
    return differing;
}
