// The tests' choice of GL windows: the build's own, or the Wayland overlay's when asked for.
#include "gl_test_host.h"

#include "draw2d/gl/gl_driver.h"
#ifdef CAPSARO_TEST_WAYLAND_GL
#include "draw2d/gl/gl_window.h"
#include "draw2d/gl/wayland/wayland_gl_host.h"
#endif

#include <cstdlib>
#include <string>

namespace {

bool OnWaylandOverlay() {
    const char* host = std::getenv("CAPSARO_TEST_GL_HOST");
    return host && std::string(host) == "wayland";
}

} // namespace

DrawDriverPtr TestOpenGLDriver(int32_t depthBitsLimit) {
#ifdef CAPSARO_TEST_WAYLAND_GL
    if (OnWaylandOverlay()) return OpenGLDriverOn(WaylandGlWindowHost(), depthBitsLimit);
#endif
    return OpenGLDriver(depthBitsLimit);
}

int32_t TestDisplayDepth() {
    return OnWaylandOverlay() ? 32 : 0;
}
