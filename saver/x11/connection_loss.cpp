// Ending the process when the X server goes away: the screen is gone, so is the saver's purpose.
#include "saver/x11/connection_loss.h"

#include <X11/Xlib.h>
#include <unistd.h>

namespace {

// Xlib ends the process itself if this returns; nothing that touches the dead connection may run
// (destructors would), so the process ends here without them.
int EndQuietly(Display*) {
    _exit(0);
}

} // namespace

void EndWhenTheXServerGoes() {
    XSetIOErrorHandler(EndQuietly);
}
