// Inside the rasterizer: drawing restricted to the rows one worker owns.
#pragma once

#include "draw2d/soft/soft_raster.h"

// The rows of one worker: row j belongs to it when (j >> shift) % count == index. The default owns all.
struct SoftRows {
    int shift = 0;
    int count = 1;
    int index = 0;
};

void SoftDrawQuadsRows(const SoftSurface& surface, const SoftTexture* textureOrNull, const SoftState& state,
                       const SoftQuad* quads, size_t count, SoftRows rows);
void SoftClearRows(const SoftSurface& surface, SoftClip clip, uint32_t color, SoftRows rows);
