// The golden scene: a mipmapped, filtered, masked picture turned and scaled twice (once at half
// alpha) and a line of text, over a blue clear; every driver must draw it like the rasterizer.
#pragma once

#include "draw2d/draw_context.h"
#include "draw2d/pixmap.h"

// An opaque picture: `color` inside a black border of `border` pixels.
inline PixmapPtr ScenePicture(int32_t w, int32_t h, uint32_t color, int32_t border) {
    PixmapPtr pixmap = CreatePixmap(w, h, FormatRGB888, 4);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            const bool inside = x >= border && y >= border && x < w - border && y < h - border;
            WritePixel(*pixmap, x, y, inside ? color : 0xFF000000u);
        }
    return pixmap;
}

// Draws the scene on the current 160 x 120 display.
inline void DrawGoldenScene() {
    SetClearColor(20, 30, 60);
    ClearBackBuffer();
    const ImagePtr image =
        LoadImage(ScenePicture(40, 24, 0xFFE03020u, 3), ImageMasked | ImageFiltered | ImageMipmapped);
    CentreImageHandle(*image);
    SetBlend(BlendAlpha);
    SetTransform(30, 1.5f, 0.75f);
    DrawImage(image, 60, 50);
    SetTransform(-15, 0.5f, 0.5f);
    SetAlpha(0.5f);
    DrawImage(image, 110, 80);
    SetAlpha(1);
    SetTransform(0, 1, 1);
    SetColor(255, 0, 0);
    DrawText("Tepin ", 10, 100);
}
