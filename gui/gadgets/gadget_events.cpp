// The events of user actions on gadgets: the gadget's state follows the host, then its event is
// emitted.
#include "gui/gadgets/gadget_events.h"

#include "gui/events/queue.h"
#include "gui/gadgets/gadget_host.h"
#include "gui/gadgets/layout.h"

namespace {

void Emit(TGadget& gadget, int32_t id, int32_t data, int32_t x = 0, int32_t y = 0,
          std::shared_ptr<TObject> extra = nullptr) {
    EmitEvent(MakeEvent(id, gadget.shared_from_this(), data, 0, x, y, std::move(extra)));
}

bool IsPushButton(const TGadget& button) {
    const int32_t kind = ButtonKind(button.style);
    return kind != ButtonCheckBox && kind != ButtonRadio;
}

} // namespace

void UserClickedButton(TGadget& button, bool checked) {
    if (IsPushButton(button)) {
        Emit(button, EventGadgetAction, 0);
        return;
    }
    button.checked = checked;
    Emit(button, EventGadgetAction, checked ? 1 : 0);
}

void UserPickedItem(TGadget& gadget, int32_t index) {
    if (index < 0 || static_cast<size_t>(index) >= gadget.items.size()) {
        Emit(gadget, EventGadgetAction, -1);
        return;
    }
    TGadgetItem& item = gadget.items[static_cast<size_t>(index)];
    if (item.flags & ItemToggles) item.state ^= ItemSelected;
    Emit(gadget, EventGadgetAction, index, 0, 0, item.extra);
}

void UserEditedCombo(TGadget& combo) {
    Emit(combo, EventGadgetAction, -1);
}

void UserScrolled(TGadget& slider, ScrollMove move, int32_t thumb) {
    if (!ScrollMoveMoves(move)) return;
    slider.position = ScrolledPosition(slider, move, thumb);
    if (GadgetHost* host = CurrentGadgetHost()) host->ShowSlider(slider);
    Emit(slider, EventGadgetAction, slider.position);
}

void UserMovedSlider(TGadget& slider, int32_t position) {
    slider.position = ClampSliderPosition(slider, position);
    Emit(slider, EventGadgetAction, slider.position);
}

void HostPaintsCanvas(TGadget& canvas) {
    Emit(canvas, EventGadgetPaint, 0);
}

void UserMovedWindow(TGadget& window, int32_t x, int32_t y) {
    window.shape.x = x;
    window.shape.y = y;
    Emit(window, EventWindowMove, 0, x, y);
}

void UserSizedWindow(TGadget& window, int32_t width, int32_t height) {
    window.shape.width = width;
    window.shape.height = height;
    LayoutKids(window);
    Emit(window, EventWindowSize, 0, width, height);
}

void UserClosedWindow(TGadget& window) {
    Emit(window, EventWindowClose, 0);
}

void UserActivatedWindow(TGadget& window) {
    Emit(window, EventWindowActivate, 0);
}

void PanelInput(TGadget& panel, int32_t id, int32_t data, int32_t mods, int32_t x, int32_t y) {
    EmitEvent(MakeEvent(id, panel.shared_from_this(), data, mods, x, y));
}
