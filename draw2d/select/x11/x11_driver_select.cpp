// The X11 host's choice between the OpenGL driver and the software driver in SDL windows, made
// when first needed; GL is probed only where the X server offers direct rendering.
#include "draw2d/gl/gl_driver.h"
#include "draw2d/sdl/sdl_soft_host.h"
#include "draw2d/select/driver_select.h"
#include "draw2d/soft/soft_driver.h"
#include "draw2d/xlib/direct_rendering.h"

#include <cstdlib>

namespace {

DrawDriverPtr MakeHostDriver() {
    const char* forced = std::getenv("CAPSARO_DRIVER");
    std::optional<HostDriverKind> kind =
        ChooseHostDriverWithoutProbe(forced, XServerOffersDirectRendering(), std::getenv("LIBGL_ALWAYS_SOFTWARE"));
    if (!kind) kind = ChooseHostDriver(forced, OpenGLRendererName());
    if (*kind == HostDriverKind::OpenGL) return OpenGLDriver();
    return SoftwareDriver(SdlSoftWindowHost());
}

} // namespace

DrawDriverPtr SelectHostDriver() {
    return DeferredDriver(MakeHostDriver);
}
