// Inside the rasterizer: one span of pixels and the per-pixel arithmetic shared by every code path.
#pragma once

#include "draw2d/blend_mode.h"

#include <cstdint>

// What stays the same along every span of one quad (or triangle).
struct SoftSpanConst {
    const uint32_t* texels = nullptr; // the chosen level, or null for the colour alone
    int width = 0, height = 0;        // of that level
    bool filtered = false;
    uint32_t color = 0xFFFFFFFF; // modulates the texels; the source itself when untextured
    int32_t blend = BlendMask;
};

// Texture coordinates along a span in texels of the chosen level, 16.16 fixed point, at the first
// pixel's centre and per pixel to the right.
struct SoftSpanWalk {
    int32_t u, v, du, dv;
};

using SoftSpanFunction = void (*)(uint32_t* dst, int count, SoftSpanWalk walk, const SoftSpanConst& k);

void SoftSpanPortable(uint32_t* dst, int count, SoftSpanWalk walk, const SoftSpanConst& k);
// Null where the processor lacks AVX2.
SoftSpanFunction SoftSpanAvx2();

// The span function in use: AVX2 where the processor has it. Tests switch to the portable one to
// compare the two; force is false to go back to the automatic choice.
SoftSpanFunction SoftSpanSelected();
void SoftForcePortableSpans(bool force);

// x × y / 255 rounded to nearest, for x, y in 0..255.
inline uint32_t SoftMul255(uint32_t x, uint32_t y) {
    const uint32_t t = x * y + 128;
    return (t + (t >> 8)) >> 8;
}

inline int32_t SoftClampInt(int32_t x, int32_t lo, int32_t hi) {
    return x < lo ? lo : (x > hi ? hi : x);
}
