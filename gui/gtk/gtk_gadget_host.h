// The GTK 3 gadget host: each gadget kind realised with GTK widgets at exact pixel positions,
// pumped through PollSystem and WaitSystem.
#pragma once

#include "gui/gadgets/gadget_host.h"

#include <memory>

// Opens GTK on the X display and adds its pump source. Null when GTK cannot start (no display):
// the caller then ends quietly. GTK's X connection takes no grabs, so others may share the display.
std::shared_ptr<GadgetHost> MakeGtkGadgetHost();

// MakeGtkGadgetHost then SelectGadgetHost; false when GTK cannot start.
bool SelectGtkGadgetHost();
