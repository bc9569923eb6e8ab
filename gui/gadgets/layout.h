// Layout: how a gadget is placed again when its parent's client area changes size.
#pragma once

#include "gui/gadgets/gadget.h"

#include <cstdint>

// One axis of a placement: position and extent.
struct AxisSpan {
    int32_t start = 0;
    int32_t extent = 0;
};

// Places one axis. Rules lo/hi are the edge rules of the near and far edge; `reference` the
// recorded span, `referenceParent` the parent's recorded extent (at least 1), `parent` its new
// extent, `current` the span now. 32-bit arithmetic that wraps instead of overflowing; division
// truncates toward zero.
AxisSpan LayoutAxis(int32_t lo, int32_t hi, AxisSpan reference, int32_t referenceParent, int32_t parent,
                    AxisSpan current);

// Records the gadget's shape and its parent's client size as the layout reference.
void RecordLayoutReference(TGadget& gadget);

// Places every kid of the gadget again for its current client size (and their kids in turn).
void LayoutKids(TGadget& gadget);
