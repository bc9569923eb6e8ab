// Choosing the drawing driver at start-up.
//
// OpenGL is the first choice. When the only GL is a software renderer (GL_RENDERER names llvmpipe,
// softpipe or swrast) or there is none, the CPU rasterizer in SDL windows is faster, so the
// software driver is chosen instead. CAPSARO_DRIVER=gl or =soft forces either. Without an X
// display the software driver is chosen; its OpenDisplay then gives null.
#pragma once

#include "draw2d/draw_driver.h"

#include <string>

enum class HostDriverKind { OpenGL, Software };

// The decision alone: `forced` is CAPSARO_DRIVER's value (null when unset), `renderer` the
// GL_RENDERER string (empty when GL is unavailable).
HostDriverKind ChooseHostDriver(const char* forced, const std::string& renderer);

// Probes GL (a hidden window, unless CAPSARO_DRIVER decides), and makes the chosen driver; never null.
DrawDriverPtr SelectHostDriver();
