// The capsaro executable on X11: picks the X server's platform services, the drawing driver that
// suits this machine (OpenGL or the software driver in SDL windows) and the GTK dialog, and hands
// them to the portable start-up.
#include "saver/hosts.h"
#include "saver/startup.h"
#include "saver/x11/connection_loss.h"
#include "saver/x11/x11_platform.h"

#include "draw2d/select/driver_select.h"
#include "draw2d/soft/soft_canvas.h"
#include "gui/gtk/gtk_gadget_host.h"

#include <cstdlib>

int main(int argc, char** argv) {
    SaverHosts hosts;
    hosts.makePlatform = MakeX11Platform;
    hosts.makeDriver = SelectHostDriver;
    hosts.hasXWindows = [] { return true; };
    // GTK puts in a handler of its own for a lost X connection when it starts: put ours back.
    hosts.selectGadgetHost = [] {
        const bool selected = SelectGtkGadgetHost();
        EndWhenTheXServerGoes();
        return selected;
    };
    // A Wayland session without X: the dialog runs on GTK's Wayland backend and the software
    // driver draws its canvas, which GTK paints (the displays of the show have no host here).
    if (!std::getenv("DISPLAY") && std::getenv("WAYLAND_DISPLAY")) {
        hosts.makeDriver = [] { return SoftwareDriver(SoftCanvasWindowHost()); };
        hosts.selectGadgetHost = [] { return SelectGtkGadgetHost(GtkBackend::Wayland); };
    }
    EndWhenTheXServerGoes();
    return CapsaroMain(argc, argv, hosts);
}
