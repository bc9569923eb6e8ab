// The OpenGL driver the shared GL tests draw with and the depth they open its displays at: this
// build's own GL windows, or the Wayland overlay through EGL where CAPSARO_TEST_GL_HOST=wayland
// (the same tests registered again under a headless sway).
#pragma once

#include "draw2d/draw_driver.h"

#include <cstdint>

// A new OpenGL driver on the host the tests run on.
DrawDriverPtr TestOpenGLDriver(int32_t depthBitsLimit = 24);
// 0 (an own window) where the host has own windows; full screen on the Wayland overlay, which has none.
int32_t TestDisplayDepth();
