// Enter and Escape in a window.
#include "gui/gadgets/dialog_keys.h"

#include "gui/gadgets/gadget_events.h"

namespace {

bool IsPushButton(const TGadget& gadget) {
    const int32_t kind = ButtonKind(gadget.style);
    return gadget.klass == GadgetButton && kind != ButtonCheckBox && kind != ButtonRadio;
}

bool IsMarkedDefault(const TGadget& button) {
    return IsPushButton(button) && (ButtonKind(button.style) == ButtonOk || (button.style & ButtonDefault));
}

TGadget* CancelButton(const TGadget& window) {
    for (const GadgetPtr& kid : window.kids)
        if (kid->klass == GadgetButton && ButtonKind(kid->style) == ButtonCancel) return kid.get();
    return nullptr;
}

} // namespace

TGadget* DefaultButton(const TGadget& window) {
    TGadget* first = nullptr;
    for (const GadgetPtr& kid : window.kids) {
        if (!IsPushButton(*kid)) continue;
        if (IsMarkedDefault(*kid)) return kid.get();
        if (!first) first = kid.get();
    }
    return first;
}

bool BecomesDefaultButton(const TGadget& button) {
    if (IsMarkedDefault(button)) return true;
    const TGadget* window = button.parent;
    return IsPushButton(button) && window && window->klass == GadgetWindow && !DefaultButton(*window);
}

void UserPressedEnter(TGadget& window) {
    if (TGadget* button = DefaultButton(window)) UserClickedButton(*button, false);
}

void UserPressedEscape(TGadget& window) {
    if (TGadget* button = CancelButton(window))
        UserClickedButton(*button, false);
    else
        UserClosedWindow(window);
}
