// The driver's one shader program: pixel-space positions with a depth, array-texture sampling
// modulated by the vertex colour, and the alpha test of the mask blend as a discard.
#pragma once

#include "draw2d/gl/gl.h"

struct GlProgram {
    GLuint name = 0;
    GLint viewSize = -1; // vec2: width, height of the drawing area in pixels
    GLint pictures = -1; // sampler2DArray on unit 0
};

// Compiles and links the program in the current context; name 0 on failure.
GlProgram BuildGlProgram();

// Vertex attribute locations.
constexpr GLuint kPositionAttribute = 0;  // x, y in pixels; depth in normalised device units
constexpr GLuint kTexCoordAttribute = 1;  // u, v, layer (layer < 0: untextured)
constexpr GLuint kColourAttribute = 2;    // the bytes of 0xAARRGGBB in memory order
constexpr GLuint kAlphaTestAttribute = 3; // 1: drop fragments whose modulated alpha is below 0.5
