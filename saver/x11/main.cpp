// The capsaro executable on X11: picks the X server's platform services, the drawing driver that
// suits this machine (OpenGL or the software driver in SDL windows) and the GTK dialog, and hands
// them to the portable start-up.
#include "saver/hosts.h"
#include "saver/startup.h"
#include "saver/x11/connection_loss.h"
#include "saver/x11/x11_platform.h"

#include "draw2d/select/driver_select.h"
#include "gui/gtk/gtk_gadget_host.h"

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
    EndWhenTheXServerGoes();
    return CapsaroMain(argc, argv, hosts);
}
