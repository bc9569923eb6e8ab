// Start-up's choice between the OpenGL driver and the software driver.
#include "draw2d/select/driver_select.h"

#include "draw2d/gl/gl_driver.h"
#include "draw2d/sdl/sdl_soft_host.h"
#include "draw2d/soft/soft_driver.h"

#include <cstdlib>
#include <cstring>

namespace {

// GL renderers that run on the CPU; the rasterizer beats them at this workload.
constexpr const char* kSoftwareRenderers[] = {"llvmpipe", "softpipe", "swrast"};

}  // namespace

HostDriverKind ChooseHostDriver(const char* forced, const std::string& renderer) {
    if (forced && std::strcmp(forced, "gl") == 0) return HostDriverKind::OpenGL;
    if (forced && std::strcmp(forced, "soft") == 0) return HostDriverKind::Software;
    if (renderer.empty()) return HostDriverKind::Software;
    for (const char* name : kSoftwareRenderers)
        if (renderer.find(name) != std::string::npos) return HostDriverKind::Software;
    return HostDriverKind::OpenGL;
}

DrawDriverPtr SelectHostDriver() {
    const char* forced = std::getenv("CAPSARO_DRIVER");
    const bool decided = forced && (std::strcmp(forced, "gl") == 0 || std::strcmp(forced, "soft") == 0);
    const std::string renderer = decided ? std::string() : OpenGLRendererName();
    if (ChooseHostDriver(forced, renderer) == HostDriverKind::OpenGL) return OpenGLDriver();
    return SoftwareDriver(SdlSoftWindowHost());
}
