// For hosts: a table of gadget kinds and the functions that make their controls, and the one way
// a host's CreateControl reads it.
#pragma once

#include "gui/gadgets/gadget.h"
#include "gui/gadgets/quiet_change.h"

#include <cstddef>
#include <cstdint>
#include <memory>

template <class Control> struct HostKind {
    int32_t klass;
    // Makes the control's windows or widgets for the gadget; false when it cannot.
    bool (*make)(TGadget& gadget, Control& control);
};

// Makes the gadget's control with its kind's row and hands it to the gadget; false for a kind the
// table lacks or a control that could not be made. What the new control reports is not the user's.
template <class Control, size_t N> bool CreateHostControl(TGadget& gadget, const HostKind<Control> (&kinds)[N]) {
    auto control = std::make_unique<Control>();
    QuietChange quiet;
    for (const HostKind<Control>& row : kinds) {
        if (row.klass != gadget.klass) continue;
        if (!row.make(gadget, *control)) return false;
        gadget.host = std::move(control);
        return true;
    }
    return false;
}
