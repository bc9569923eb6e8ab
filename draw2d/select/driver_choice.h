// The portable part of choosing the drawing driver: the decision from CAPSARO_DRIVER and the GL
// renderer's name, and a driver that is made only when first used.
//
// OpenGL is the first choice. When the only GL is a software renderer (GL_RENDERER names llvmpipe,
// softpipe, swrast or "GDI Generic") or there is none, the CPU rasterizer is faster, so the
// software driver is chosen instead. CAPSARO_DRIVER=gl or =soft forces either.
#pragma once

#include "draw2d/draw_driver.h"

#include <functional>
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

// A driver that calls `make` on first use (opening a display, asking for modes, making a
// texture) and then acts as the driver it gave; never null. `make` must not give null.
DrawDriverPtr DeferredDriver(std::function<DrawDriverPtr()> make);
