// The Wayland host's entry: the compositor's platform services, the drawing driver that suits this
// machine on the overlay over every output (OpenGL through EGL, or the software driver), and the
// dialog on GTK's Wayland backend. Wayland names no windows of other programs, so there is no
// preview and no show in a named window.
#include "saver/host_entry.h"
#include "saver/wayland/wayland_platform.h"

#include "saver/dispatch.h"

#include "draw2d/select/wayland/wayland_driver_select.h"
#include "draw2d/soft/soft_driver.h"
#include "draw2d/wayland/wayland_soft_host.h"
#include "gui/gtk/gtk_gadget_host.h"
#include "gui/wayland/wayland_connection.h"
#include "runtime/program.h"

namespace {

// A compositor that offers the layer shell: the overlay over every output needs it.
bool CompositorWithLayerShell() {
    WaylandConnection* connection = TheWaylandConnection();
    return connection && connection->LayerShell() != nullptr;
}

void FillWaylandHosts(SaverHosts& hosts) {
    hosts.makePlatform = MakeWaylandPlatform;
    // The dialog's canvas has no window of its own: only the software driver draws into it.
    hosts.makeDriver = [] {
        return RunsConfigWindow(ProgramArguments()) ? SoftwareDriver(WaylandSoftWindowHost()) : SelectWaylandDriver();
    };
    hosts.selectGadgetHost = [] { return SelectGtkGadgetHost(GtkBackend::Wayland); };
}

} // namespace

extern const HostEntry waylandHostEntry = {"wayland", CompositorWithLayerShell, false, FillWaylandHosts};
