// Layout arithmetic on 32-bit integers and the placing of a gadget's kids.
#include "gui/gadgets/layout.h"

#include "gui/gadgets/gadget_host.h"

#include <algorithm>

namespace {

// Two's-complement arithmetic without signed overflow: the results wrap as 32-bit integers do.
int32_t Add(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
int32_t Sub(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}
int32_t Mul(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}
// Truncates toward zero; the divisor is at least 1 here.
int32_t Div(int32_t a, int32_t b) {
    return b == -1 ? Sub(0, a) : a / b;
}

} // namespace

AxisSpan LayoutAxis(int32_t lo, int32_t hi, AxisSpan reference, int32_t referenceParent, int32_t parent,
                    AxisSpan current) {
    const int32_t x0 = reference.start;
    const int32_t w0 = reference.extent;
    const int32_t p0 = std::max(referenceParent, 1);
    int32_t left = 0;
    int32_t right = 0;
    if (lo == LayoutFree && hi == LayoutFree) {
        // Keeps the width; the centre keeps its relative place.
        left = Sub(Div(Mul(parent, Add(Div(w0, 2), x0)), p0), Div(w0, 2));
        right = Add(left, w0);
    } else {
        switch (lo) {
        case LayoutAligned:
            left = x0;
            break;
        case LayoutRelative:
            left = Div(Mul(parent, x0), p0);
            break;
        default:
            left = current.start;
            break;
        }
        switch (hi) {
        case LayoutAligned:
            right = Add(Sub(Add(x0, w0), p0), parent);
            break;
        case LayoutRelative:
            right = Div(Mul(parent, Add(x0, w0)), p0);
            break;
        default:
            right = Add(current.start, current.extent);
            break;
        }
        if (lo == LayoutFree) {
            left = Sub(right, w0);
        } else if (hi == LayoutFree) {
            right = Add(left, w0);
        }
    }
    return AxisSpan{left, Sub(right, left)};
}

void RecordLayoutReference(TGadget& gadget) {
    gadget.referenceShape = gadget.shape;
    GadgetHost* host = CurrentGadgetHost();
    if (!gadget.parent || !host) return;
    gadget.referenceParentWidth = std::max(host->ClientWidth(*gadget.parent), 1);
    gadget.referenceParentHeight = std::max(host->ClientHeight(*gadget.parent), 1);
}

void LayoutKids(TGadget& gadget) {
    GadgetHost* host = CurrentGadgetHost();
    if (!host) return;
    const int32_t width = host->ClientWidth(gadget);
    const int32_t height = host->ClientHeight(gadget);
    for (const GadgetPtr& kid : gadget.kids) {
        const GadgetShape& ref = kid->referenceShape;
        const AxisSpan h = LayoutAxis(kid->layoutLeft, kid->layoutRight, {ref.x, ref.width}, kid->referenceParentWidth,
                                      width, {kid->shape.x, kid->shape.width});
        const AxisSpan v = LayoutAxis(kid->layoutTop, kid->layoutBottom, {ref.y, ref.height},
                                      kid->referenceParentHeight, height, {kid->shape.y, kid->shape.height});
        const GadgetShape placed{h.start, v.start, h.extent, v.extent};
        if (placed.x == kid->shape.x && placed.y == kid->shape.y && placed.width == kid->shape.width &&
            placed.height == kid->shape.height)
            continue;
        kid->shape = placed;
        host->ShowShape(*kid);
        LayoutKids(*kid);
    }
}
