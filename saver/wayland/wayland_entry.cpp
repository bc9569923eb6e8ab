// The Wayland host's entry: the compositor's platform services, the software driver on the
// overlay over every output, and the dialog on GTK's Wayland backend. Wayland names no windows of
// other programs, so there is no preview and no show in a named window.
#include "saver/host_entry.h"
#include "saver/wayland/wayland_platform.h"

#include "draw2d/soft/soft_driver.h"
#include "draw2d/wayland/wayland_soft_host.h"
#include "gui/gtk/gtk_gadget_host.h"
#include "gui/wayland/wayland_connection.h"

namespace {

// A compositor that offers the layer shell: the overlay over every output needs it.
bool CompositorWithLayerShell() {
    WaylandConnection* connection = TheWaylandConnection();
    return connection && connection->LayerShell() != nullptr;
}

void FillWaylandHosts(SaverHosts& hosts) {
    hosts.makePlatform = MakeWaylandPlatform;
    hosts.makeDriver = [] { return SoftwareDriver(WaylandSoftWindowHost()); };
    hosts.selectGadgetHost = [] { return SelectGtkGadgetHost(GtkBackend::Wayland); };
}

} // namespace

extern const HostEntry waylandHostEntry = {"wayland", CompositorWithLayerShell, false, FillWaylandHosts};
