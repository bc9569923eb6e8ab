// The OpenGL driver: GL 3.3 core contexts on the host's display windows (SDL windows on X11,
// Win32 windows through WGL on Windows).
//
// Textures keep the prepared scheme (power-of-two, image top-left, edges extended, mip chain) and
// live as layers of array textures shared by every texture of the same size and level count, so
// quads of different pictures of one size go to the GPU in one upload. Runs handed over by the
// drawing state are merged while filtering, clip and array stay the same; colour and blend mode
// travel with each quad.
#pragma once

#include "draw2d/draw_driver.h"

#include <cstdint>
#include <string>

// A new OpenGL driver on this host's windows. Its displays need a window system and GL 3.3;
// OpenDisplay gives null otherwise.
// Where a window has a depth buffer, opaque quads hide what lies behind them before it is shaded;
// at most `depthBitsLimit` bits of it are used (depths are computed in single precision, so more
// than 24 do not help; fewer than 3 turn the depth buffer off).
DrawDriverPtr OpenGLDriver(int32_t depthBitsLimit = 24);

// GL_RENDERER of a GL 3.3 core context on a hidden window; empty when there is no window system or
// no such context.
std::string OpenGLRendererName();

// Draw calls made by every OpenGL driver so far (for measurements).
uint64_t OpenGLDrawCallCount();
