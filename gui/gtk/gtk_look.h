// The look of the GTK host: a small style sheet that lets controls take exactly the sizes they are
// given, the settings the slider behaviour relies on, and measured insets of frames and notebooks.
#pragma once

#include <gtk/gtk.h>

// Installs the style sheet and settings on the default screen (once).
void InstallGadgetLook();

// How far a container's child area lies inside the container.
struct ChildInsets {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// Insets of a notebook's page area with the tabs on top (measured once).
const ChildInsets& NotebookInsets();
// Insets of a frame's child: with a caption, or with a sunken border and no caption.
const ChildInsets& FrameInsets(bool captioned);
