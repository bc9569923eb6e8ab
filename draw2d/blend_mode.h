// The blend modes: one set of named values shared by the drawing state, the drivers and the
// rasterizer. Colours are the source texel modulated by the drawing colour and alpha.
#pragma once

#include <cstdint>

// The source is kept where its alpha is at least 128 and written without blending.
constexpr int32_t BlendMask = 1;
// The source is written as it is.
constexpr int32_t BlendSolid = 2;
// source × alpha + destination × (1 − alpha).
constexpr int32_t BlendAlpha = 3;
// destination + source × alpha, saturating.
constexpr int32_t BlendLight = 4;
// destination × source colour.
constexpr int32_t BlendShade = 5;

// True for the five modes above. Other values can be recorded but name no mode.
constexpr bool IsBlendMode(int32_t mode) {
    return mode >= BlendMask && mode <= BlendShade;
}

// Modes that write the source without reading the destination: what is under them never shows.
constexpr bool IsOpaqueBlend(int32_t mode) {
    return mode == BlendMask || mode == BlendSolid;
}
