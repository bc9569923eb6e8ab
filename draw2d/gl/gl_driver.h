// The OpenGL driver: GL 3.3 core contexts on SDL display windows.
//
// Textures keep the prepared scheme (power-of-two, image top-left, edges extended, mip chain) and
// live as layers of array textures shared by every texture of the same size and level count, so
// quads of different pictures of one size go to the GPU in one draw call. Runs handed over by the
// drawing state are merged while blend, filtering, clip and array stay the same; the colour travels
// with each vertex.
#pragma once

#include "draw2d/draw_driver.h"

#include <cstdint>
#include <string>

// A new OpenGL driver. Its displays need an X display and GL 3.3; OpenDisplay gives null otherwise.
DrawDriverPtr OpenGLDriver();

// GL_RENDERER of a GL 3.3 context on a hidden window; empty when there is no X display or no GL.
std::string OpenGLRendererName();

// Draw calls made by every OpenGL driver so far (for measurements).
uint64_t OpenGLDrawCallCount();
