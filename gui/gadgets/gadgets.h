// The gadget calls the program makes: creating windows and controls, reading and changing them.
//
// A group of null means the desktop. Create calls return null when no host is selected or the
// host cannot make the control. A kind-specific call on a gadget of another kind is the runtime
// error "Invalid Gadget type"; a null gadget is a programming error.
#pragma once

#include "gui/gadgets/gadget.h"
#include "gui/gadgets/gadget_host.h"

#include <cstdint>
#include <memory>
#include <string>

// The factory behind every Create call; class 0 returns the desktop itself.
GadgetPtr CreateGadget(int32_t gadgetClass, const std::string& text, int32_t x, int32_t y, int32_t w, int32_t h,
                       const GadgetPtr& group, int32_t style);

GadgetPtr CreateWindow(const std::string& title, int32_t x, int32_t y, int32_t w, int32_t h, const GadgetPtr& group,
                       int32_t style);
GadgetPtr CreateButton(const std::string& text, int32_t x, int32_t y, int32_t w, int32_t h, const GadgetPtr& group,
                       int32_t style);
GadgetPtr CreateLabel(const std::string& text, int32_t x, int32_t y, int32_t w, int32_t h, const GadgetPtr& group,
                      int32_t style);
// A non-empty title becomes the panel's text (a group box's caption).
GadgetPtr CreatePanel(int32_t x, int32_t y, int32_t w, int32_t h, const GadgetPtr& group, int32_t style,
                      const std::string& title = std::string());
GadgetPtr CreateComboBox(int32_t x, int32_t y, int32_t w, int32_t h, const GadgetPtr& group, int32_t style);
GadgetPtr CreateTabber(int32_t x, int32_t y, int32_t w, int32_t h, const GadgetPtr& group, int32_t style);
// Starts with range 1, 10 and position 0.
GadgetPtr CreateSlider(int32_t x, int32_t y, int32_t w, int32_t h, const GadgetPtr& group, int32_t style);
// A panel with the canvas bit added, whose host window gets a display with AttachDisplay.
GadgetPtr CreateCanvas(int32_t x, int32_t y, int32_t w, int32_t h, const GadgetPtr& group, int32_t style);

// The canvas's display; null when the drawing layer could not attach one.
GraphicsPtr CanvasGraphics(const GadgetPtr& canvas);
// The host's window handle as a number (QueryHostWindow or QueryClientWindow): an X window id, a
// Win32 HWND; 0 when there is none.
uint64_t QueryGadget(const GadgetPtr& gadget, int32_t what);

int32_t GadgetX(const GadgetPtr& gadget);
int32_t GadgetY(const GadgetPtr& gadget);
int32_t GadgetWidth(const GadgetPtr& gadget);
int32_t GadgetHeight(const GadgetPtr& gadget);
int32_t ClientWidth(const GadgetPtr& gadget);
int32_t ClientHeight(const GadgetPtr& gadget);

// Moves and sizes a gadget, records its layout reference and places its kids again.
void SetGadgetShape(const GadgetPtr& gadget, int32_t x, int32_t y, int32_t w, int32_t h);
void SetGadgetText(const GadgetPtr& gadget, const std::string& text);
// Sets the four edge rules (LayoutFree, LayoutAligned, LayoutRelative) and records the reference.
void SetGadgetLayout(const GadgetPtr& gadget, int32_t left, int32_t right, int32_t top, int32_t bottom);

void ShowGadget(const GadgetPtr& gadget);
void HideGadget(const GadgetPtr& gadget);
void RedrawGadget(const GadgetPtr& gadget);

// Combo boxes and tabbers. On a tabber a non-empty tip becomes the tab's tool tip.
void AddGadgetItem(const GadgetPtr& gadget, const std::string& text, int32_t flags, int32_t icon,
                   const std::string& tip, std::shared_ptr<TObject> extra);
// Marks the item selected and selects it in the host control; -1 applies to every item. Sends no
// event. An index naming no item does nothing.
void SelectGadgetItem(const GadgetPtr& gadget, int32_t index);
int32_t CountGadgetItems(const GadgetPtr& gadget);

// Buttons: any non-zero state checks; ButtonState reads 1 checked, 0 not.
void SetButtonState(const GadgetPtr& button, int32_t state);
int32_t ButtonState(const GadgetPtr& button);

// Sliders: scroll bar (page, total), track bar (minimum, maximum), stepper (lower, upper).
void SetSliderRange(const GadgetPtr& slider, int32_t range0, int32_t range1);
void SetSliderValue(const GadgetPtr& slider, int32_t value);
int32_t SliderValue(const GadgetPtr& slider);
