// Choosing the drawing driver for this machine.
//
// OpenGL is the first choice. When the only GL is a software renderer (GL_RENDERER names llvmpipe,
// softpipe or swrast) or there is none, the CPU rasterizer in SDL windows is faster, so the
// software driver is chosen instead. CAPSARO_DRIVER=gl or =soft forces either. Without an X
// display the software driver is chosen; its OpenDisplay then gives null.
//
// Probing GL costs a hidden window and a context (150–220 ms), so it is done only where its answer
// can matter (the server offers direct rendering) and only when the driver is first used.
#pragma once

#include "draw2d/draw_driver.h"

#include <optional>
#include <string>

enum class HostDriverKind { OpenGL, Software };

// The decision alone: `forced` is CAPSARO_DRIVER's value (null when unset), `renderer` the
// GL_RENDERER string (empty when GL is unavailable).
HostDriverKind ChooseHostDriver(const char* forced, const std::string& renderer);

// The decision where it needs no GL probe: forced by CAPSARO_DRIVER, or the software driver when
// the X server offers no direct rendering or LIBGL_ALWAYS_SOFTWARE (its value `alwaysSoftware`)
// asks Mesa for a CPU renderer. Nullopt: only GL_RENDERER can tell.
std::optional<HostDriverKind> ChooseHostDriverWithoutProbe(const char* forced, bool directRendering,
                                                           const char* alwaysSoftware);

// A driver that makes the choice on first use (opening a display, asking for modes, making a
// texture) and then acts as the chosen one; never null.
DrawDriverPtr SelectHostDriver();
