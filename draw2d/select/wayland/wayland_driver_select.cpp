// The Wayland host's choice between the OpenGL driver through EGL and the software driver, made
// when first needed.
#include "draw2d/select/wayland/wayland_driver_select.h"

#include "draw2d/gl/gl_driver.h"
#include "draw2d/gl/gl_window.h"
#include "draw2d/gl/wayland/egl_wayland.h"
#include "draw2d/gl/wayland/wayland_gl_host.h"
#include "draw2d/soft/soft_driver.h"
#include "draw2d/wayland/wayland_soft_host.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

DrawDriverPtr MakeWaylandDriver() {
    // EGL renders directly wherever it runs: only CAPSARO_DRIVER decides without the probe.
    const std::optional<HostDriverKind> forced =
        ChooseHostDriverWithoutProbe(std::getenv("CAPSARO_DRIVER"), true, nullptr);
    const std::string renderer = forced ? std::string() : WaylandOpenGLRendererName();
    const HostDriverKind kind = forced ? *forced : ChooseHostDriver(nullptr, renderer);
    if (GlDiagnosticsAsked()) {
        std::fprintf(stderr, "capsaro: %s driver (%s)\n", kind == HostDriverKind::OpenGL ? "OpenGL" : "software",
                     forced             ? "CAPSARO_DRIVER"
                     : renderer.empty() ? "no GL"
                                        : renderer.c_str());
        std::fflush(stderr);
    }
    if (kind == HostDriverKind::OpenGL) return OpenGLDriverOn(WaylandGlWindowHost(), 24);
    return SoftwareDriver(WaylandSoftWindowHost());
}

} // namespace

DrawDriverPtr SelectWaylandDriver() {
    return DeferredDriver(MakeWaylandDriver);
}
