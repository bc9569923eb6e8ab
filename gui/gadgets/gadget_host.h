// The host interface of the gadget layer: what a window system does for the gadgets (makes their
// controls, shows their state) and the selection of the process's one host.
//
// The portable layer keeps every gadget's state (shape, text, items, check state, slider range
// and position) and hands it to the host after each change; the host only shows it. What the user
// does to a control comes back through gadget_events.h. All calls belong to the event thread.
#pragma once

#include "gui/gadgets/gadget.h"

#include <cstdint>
#include <memory>

class GadgetHost {
public:
    GadgetHost() = default;
    virtual ~GadgetHost() = default;
    GadgetHost(const GadgetHost&) = delete;
    GadgetHost& operator=(const GadgetHost&) = delete;

    // The whole virtual screen (every monitor).
    virtual GadgetShape DesktopShape() = 0;
    // Makes the host control of a new gadget (class, style, parent, shape and text are set; the
    // parent's control exists) and stores it in gadget.host. False when it cannot be made.
    virtual bool CreateControl(TGadget& gadget) = 0;
    // Shows the gadget's shape, text, visibility (a hidden parent hides its kids), items (after
    // one was appended), item selection, check state and slider state.
    virtual void ShowShape(TGadget& gadget) = 0;
    virtual void ShowText(TGadget& gadget) = 0;
    virtual void ShowVisible(TGadget& gadget) = 0;
    virtual void ShowItemAdded(TGadget& gadget) = 0;
    // index -1: every item; an index naming no item is ignored.
    virtual void ShowItemSelected(TGadget& gadget, int32_t index) = 0;
    virtual void ShowChecked(TGadget& gadget) = 0;
    virtual void ShowSlider(TGadget& gadget) = 0;
    // Asks for a repaint; a canvas answers with "GadgetPaint" when the host paints it.
    virtual void Redraw(TGadget& gadget) = 0;
    // The client area's size: inside a window's frame, below a tabber's tabs, inside a group box.
    virtual int32_t ClientWidth(const TGadget& gadget) = 0;
    virtual int32_t ClientHeight(const TGadget& gadget) = 0;
    // The window system's handle of the gadget (QueryHostWindow) or of its client area
    // (QueryClientWindow), as a number: an X window id, a Win32 HWND; 0 when it has none.
    virtual uint64_t WindowId(TGadget& gadget, int32_t what) = 0;
};

// Makes host the process's gadget host and gives it a new desktop gadget (the previous tree is
// dropped). Null clears the host.
void SelectGadgetHost(std::shared_ptr<GadgetHost> host);
GadgetHost* CurrentGadgetHost();

// The one desktop gadget of the current host; null while no host is selected.
GadgetPtr Desktop();
