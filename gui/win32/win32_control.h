// What the Win32 host keeps for one gadget: its windows, destroyed with the gadget.
#pragma once

#include "gui/gadgets/gadget.h"
#include "gui/gadgets/quiet_change.h"

#include <windows.h>

class Win32Control : public HostControl {
public:
    ~Win32Control() override;

    // Placed in the parent's client window (a top-level window for windows; none for the desktop).
    HWND outer = nullptr;
    // The control that the user operates (button, combo box, tab control, scroll bar, canvas...).
    HWND main = nullptr;
    // Where kids go: a window's, panel's or tabber's client window.
    HWND client = nullptr;
};

Win32Control& ControlOf(const TGadget& gadget);

// Sizes a top-level window's client area and places the controls inside it again, with the font,
// at the window's layout DPI (win32_dpi.h): after it moved to a monitor of another scale.
void RescaleControls(TGadget& window);
