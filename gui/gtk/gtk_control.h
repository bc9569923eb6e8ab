// What the GTK host keeps for one gadget: its widgets, held by reference until the gadget goes.
#pragma once

#include "gui/gadgets/gadget.h"
#include "gui/gadgets/quiet_change.h"
#include "gui/gtk/gtk_canvas_frame.h"

#include <gtk/gtk.h>

#include <memory>

class GtkControl : public HostControl {
public:
    ~GtkControl() override;

    // Placed in the parent's client container (a toplevel window for windows; none for the desktop).
    GtkWidget* outer = nullptr;
    // The control that the user operates (button, combo box, notebook, scroll bar, drawing area...).
    GtkWidget* main = nullptr;
    // Where kids go: a window's, panel's or tabber's fixed container.
    GtkWidget* client = nullptr;
    // Label frames: the label inside.
    GtkWidget* label = nullptr;
    // Scroll bars: the adjustment.
    GtkAdjustment* adjustment = nullptr;
    // Canvases on a backend without X windows: the frames their drawing area paints.
    std::unique_ptr<GtkCanvasFrame> frame;
};

GtkControl& ControlOf(const TGadget& gadget);
