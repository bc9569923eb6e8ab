// The Win32 host's own window class (top-level windows, panels, client areas and canvases) and
// what its window procedure does: it turns the standard controls' notifications into the gadget
// layer's user actions, and window and panel input into events.
#pragma once

#include "gui/gadgets/gadget.h"

#include <windows.h>

// The class, registered on first use.
const wchar_t* GadgetWindowClass();

// Ties a window of ours or a control to the gadget it realises (GadgetOfWindow reads it back);
// a window is untied before it is destroyed.
void TieToGadget(HWND window, TGadget& gadget);
void UntieWindow(HWND window);
// The gadget a window of ours or a control belongs to; null for others.
TGadget* GadgetOfWindow(HWND window);

// The dialog font: the system's message font at a DPI (owned by the host for the process's life).
HFONT DialogFont(int32_t dpi);
