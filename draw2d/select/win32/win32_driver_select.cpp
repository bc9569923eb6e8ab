// The Windows host's choice between the OpenGL driver (WGL) and the software driver in Win32
// windows, made when first needed from CAPSARO_DRIVER and the GL renderer's name.
#include "draw2d/gl/gl_driver.h"
#include "draw2d/select/driver_select.h"
#include "draw2d/win32/win32_window_host.h"

#include <cstdlib>

namespace {

DrawDriverPtr MakeHostDriver() {
    const char* forced = std::getenv("CAPSARO_DRIVER");
    // Only CAPSARO_DRIVER spares the probe: any GL context WGL gives draws directly, and Mesa's
    // environment has no meaning here.
    std::optional<HostDriverKind> kind = ChooseHostDriverWithoutProbe(forced, true, nullptr);
    if (!kind) kind = ChooseHostDriver(forced, OpenGLRendererName());
    if (*kind == HostDriverKind::OpenGL) return OpenGLDriver();
    return Win32SoftwareDriver();
}

} // namespace

DrawDriverPtr SelectHostDriver() {
    return DeferredDriver(MakeHostDriver);
}
