// What hosts call when the user acts on a control: these update the gadget and emit its event
// ("GadgetAction", "GadgetPaint", the window events, the application's activation).
//
// All calls belong to the event thread (hosts call them while the pump dispatches).
#pragma once

#include "gui/gadgets/gadget.h"
#include "gui/gadgets/slider_rules.h"

#include <cstdint>

// A button was clicked; `checked` is its state now (ignored for push buttons, which send 0).
void UserClickedButton(TGadget& button, bool checked);
// The user picked an item of a combo box or a tab of a tabber (-1 when there are none).
void UserPickedItem(TGadget& gadget, int32_t index);
// The edit text of an editable combo box changed.
void UserEditedCombo(TGadget& combo);
// A scroll bar's arrow, trough or thumb; `thumb` is the thumb's position for ScrollMove::Thumb.
void UserScrolled(TGadget& slider, ScrollMove move, int32_t thumb = 0);
// A track bar or stepper moved to `position`.
void UserMovedSlider(TGadget& slider, int32_t position);
// The host wants the canvas painted.
void HostPaintsCanvas(TGadget& canvas);

// Windows: moved (new position), sized (new client size: the kids are placed again), close
// requested (the window stays), activated.
void UserMovedWindow(TGadget& window, int32_t x, int32_t y);
void UserSizedWindow(TGadget& window, int32_t width, int32_t height);
void UserClosedWindow(TGadget& window);
void UserActivatedWindow(TGadget& window);
// The application became active (true) or another one did (false); repeats are not sent.
void ApplicationActivation(bool active);

// Input of a sensitive panel or canvas, with the panel as source.
void PanelInput(TGadget& panel, int32_t id, int32_t data, int32_t mods, int32_t x, int32_t y);
