// Inside the rasterizer: drawing restricted to the rows one worker owns.
#pragma once

#include "draw2d/soft/soft_raster.h"

#include <climits>

// The pixels one replay writes: rows of one worker, row j belonging to it when
// (j >> shift) % count == index, and of those only the pixels inside `area`. Spans are set up as
// if the area were not there, so a pixel inside it gets exactly the bytes it would get without it.
// The default owns every pixel.
struct SoftRows {
    int shift = 0;
    int count = 1;
    int index = 0;
    SoftClip area = {INT_MIN, INT_MIN, INT_MAX, INT_MAX};
};

void SoftDrawQuadsRows(const SoftSurface& surface, const SoftTexture* textureOrNull, const SoftState& state,
                       const SoftQuad* quads, size_t count, SoftRows rows);
void SoftClearRows(const SoftSurface& surface, SoftClip clip, uint32_t color, SoftRows rows);
