// Inside the rasterizer: drawing restricted to the rows one worker owns.
#pragma once

#include "draw2d/soft/soft_raster.h"

// The pixels one replay writes: rows of one worker, row j belonging to it when
// (j >> shift) % count == index, and of those only the pixels in `ranges` (all where null). Spans
// are set up as if the ranges were not there, so a pixel inside them gets exactly the bytes it
// would get without them. The default owns every pixel.
struct SoftRows {
    int shift = 0;
    int count = 1;
    int index = 0;
    const SoftRowRanges* ranges = nullptr;
};

void SoftDrawQuadsRows(const SoftSurface& surface, const SoftTexture* textureOrNull, const SoftState& state,
                       const SoftQuad* quads, size_t count, SoftRows rows);
void SoftClearRows(const SoftSurface& surface, SoftClip clip, uint32_t color, SoftRows rows);
