// The Wayland host's entry: the compositor's platform services and the software driver on the
// overlay over every output. Wayland has no dialog or preview windows of its own here, and no
// windows named by id.
#include "saver/host_entry.h"
#include "saver/wayland/wayland_platform.h"

#include "draw2d/soft/soft_driver.h"
#include "draw2d/wayland/wayland_soft_host.h"
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
}

} // namespace

extern const HostEntry waylandHostEntry = {"wayland", CompositorWithLayerShell, false, FillWaylandHosts};
