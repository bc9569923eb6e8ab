// What Enter and Escape do in a window, the same on every host: Enter presses the window's
// default button, Escape its Cancel button, or asks the window to close where it has none
// (closing a dialog stores nothing, as Cancel does).
#pragma once

#include "gui/gadgets/gadget.h"

// The push button Enter presses: one made as OK or marked default, else the window's first push
// button; null when the window has no push button of its own.
TGadget* DefaultButton(const TGadget& window);
// A new button (not yet among its parent's kids) that will be its window's default button.
bool BecomesDefaultButton(const TGadget& button);

// The user pressed Enter or Escape in the window (with no push button focused).
void UserPressedEnter(TGadget& window);
void UserPressedEscape(TGadget& window);
