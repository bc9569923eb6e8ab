// The X11 host's entry: the X server's platform services, the drawing driver that suits this
// machine (OpenGL or the software driver in SDL windows) and the GTK dialog.
#include "saver/host_entry.h"
#include "saver/x11/connection_loss.h"
#include "saver/x11/x11_platform.h"

#include "draw2d/select/driver_select.h"
#include "gui/gtk/gtk_gadget_host.h"

#include <X11/Xlib.h>

namespace {

bool XServerAnswers() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return false;
    XCloseDisplay(display);
    return true;
}

void FillX11Hosts(SaverHosts& hosts) {
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
}

} // namespace

extern const HostEntry x11HostEntry = {"x11", XServerAnswers, true, FillX11Hosts};
