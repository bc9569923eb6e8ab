// The Win32 gadget host: each gadget kind realised with the system's standard controls at exact
// pixel positions, pumped with the rest of the thread's window messages.
#pragma once

#include "gui/gadgets/gadget_host.h"

#include <memory>

// Loads the common controls and the dialog font and adds the message pump source; never null on
// a desktop that can show windows.
std::shared_ptr<GadgetHost> MakeWin32GadgetHost();

// MakeWin32GadgetHost then SelectGadgetHost; false when the host cannot start.
bool SelectWin32GadgetHost();
