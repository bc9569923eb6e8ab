// Input of sensitive panels and canvases under GTK: key and mouse events become the event layer's
// key and mouse events with the panel as source.
#pragma once

#include "gui/gadgets/gadget.h"

#include <gtk/gtk.h>

// Connects the widget's key and mouse signals to events sent with the gadget as source.
void ConnectPanelInput(GtkWidget* widget, TGadget& gadget);
