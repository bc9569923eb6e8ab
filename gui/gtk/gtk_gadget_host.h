// The GTK 3 gadget host: each gadget kind realised with GTK widgets at exact pixel positions,
// pumped through PollSystem and WaitSystem.
#pragma once

#include "gui/gadgets/gadget_host.h"

#include <memory>

// The GDK backend GTK runs on. On X11 every gadget has an X window id; on Wayland none has, and
// a canvas's WindowId is a software canvas id (draw2d/soft/soft_canvas.h) that only a software
// driver whose window host asks PresenterForCanvas can attach a display to.
enum class GtkBackend { X11, Wayland };

// Opens GTK on the backend's display and adds its pump source. Null when GTK cannot start (no
// display), or when GTK already runs in this process on another backend: the caller then ends
// quietly. GTK's X connection takes no grabs, so others may share the display.
std::shared_ptr<GadgetHost> MakeGtkGadgetHost(GtkBackend backend = GtkBackend::X11);

// MakeGtkGadgetHost then SelectGadgetHost; false when GTK cannot start.
bool SelectGtkGadgetHost(GtkBackend backend = GtkBackend::X11);
