// The driver-independent half of texture making: a power-of-two texture with the image at its
// top-left, edges extended, and the mipmap chain, as plain 0xAARRGGBB pixel arrays.
#pragma once

#include <cstdint>
#include <vector>

#include "draw2d/pixmap.h"

// One level: straight (not premultiplied) 0xAARRGGBB pixels, top row first, pitch = width.
struct TextureLevel {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> pixels;
};

// Level 0 is the full texture; with ImageMipmapped the levels go down to 1 x 1.
// uMax and vMax are the texture coordinates of the image's right and bottom edges.
struct PreparedTexture {
    int32_t width = 0;
    int32_t height = 0;
    float uMax = 0;
    float vMax = 0;
    std::vector<TextureLevel> levels;
};

// The smallest power of two >= size, at least 1.
int32_t TextureSize(int32_t size);

// Builds the texture for an image frame's pixmap and image flags. Texels that neither the image nor
// its edge extension cover are clear black.
PreparedTexture PrepareTexture(const TPixmap& pixmap, int32_t flags);

// The byte-wise average of two 0xAARRGGBB values used to build mipmap levels.
uint32_t AveragePixels(uint32_t a, uint32_t b);
// The level below level: each texel averages a 2 x 2 block (clamped at a side of length 1).
TextureLevel HalveLevel(const TextureLevel& level);
