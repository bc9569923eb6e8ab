// The headless gadget host: records instead of widgets, and the user's actions as queued messages.
#include "gui/gadgets_headless/headless_gadget_host.h"

#include "gui/gadgets/gadget_events.h"
#include "runtime/runtime_error.h"

#include <algorithm>
#include <utility>

HeadlessGadgetHost::HeadlessGadgetHost(GadgetShape desktop)
    : desktop_(desktop), source_(std::make_shared<HeadlessSource>()) {
    AddPumpSource(source_);
}

HeadlessGadgetHost::~HeadlessGadgetHost() {
    RemovePumpSource(source_);
}

bool HeadlessGadgetHost::CreateControl(TGadget& gadget) {
    auto control = std::make_unique<HeadlessControl>();
    control->windowId = nextWindowId_++;
    gadget.host = std::move(control);
    ++made_;
    return true;
}

HeadlessControl& HeadlessGadgetHost::Control(const TGadget& gadget) {
    auto* control = dynamic_cast<HeadlessControl*>(gadget.host.get());
    if (!control) RuntimeError("The gadget was not made by the headless host");
    return *control;
}

bool HeadlessGadgetHost::OnScreen(const TGadget& gadget) {
    for (const TGadget* g = &gadget; g; g = g->parent)
        if (!Control(*g).visible) return false;
    return true;
}

void HeadlessGadgetHost::ShowShape(TGadget& gadget) {
    Control(gadget).shape = gadget.shape;
}
void HeadlessGadgetHost::ShowText(TGadget& gadget) {
    Control(gadget).text = gadget.text;
}
void HeadlessGadgetHost::ShowVisible(TGadget& gadget) {
    Control(gadget).visible = gadget.visible;
}

void HeadlessGadgetHost::ShowItemAdded(TGadget& gadget) {
    HeadlessControl& control = Control(gadget);
    control.items.push_back(gadget.items.back().text);
    // A tab strip always shows one of its tabs: the first one added.
    if (gadget.klass == GadgetTabber && control.selected < 0) control.selected = 0;
}

void HeadlessGadgetHost::ShowItemSelected(TGadget& gadget, int32_t index) {
    HeadlessControl& control = Control(gadget);
    if (index >= 0) control.selected = index;
}

void HeadlessGadgetHost::ShowChecked(TGadget& gadget) {
    Control(gadget).checked = gadget.checked;
}

void HeadlessGadgetHost::ShowSlider(TGadget& gadget) {
    HeadlessControl& control = Control(gadget);
    control.range0 = gadget.range0;
    control.range1 = gadget.range1;
    control.position = gadget.position;
}

void HeadlessGadgetHost::Redraw(TGadget& gadget) {
    HeadlessControl& control = Control(gadget);
    ++control.redraws;
    if (gadget.klass != GadgetCanvas || control.paintPending) return;
    // Repaint requests pile up into one paint, as a window system's do.
    control.paintPending = true;
    Queue(gadget.shared_from_this(), [](TGadget& canvas) {
        Control(canvas).paintPending = false;
        HostPaintsCanvas(canvas);
    });
}

int32_t HeadlessGadgetHost::ClientWidth(const TGadget& gadget) {
    return gadget.shape.width;
}

int32_t HeadlessGadgetHost::ClientHeight(const TGadget& gadget) {
    if (gadget.klass == GadgetTabber) return std::max(gadget.shape.height - kTabStripHeight, 0);
    if (gadget.klass == GadgetPanel && (gadget.style & PanelGroupBox))
        return std::max(gadget.shape.height - kGroupCaptionHeight, 0);
    return gadget.shape.height;
}

uint64_t HeadlessGadgetHost::WindowId(TGadget& gadget, int32_t what) {
    if (what != QueryHostWindow && what != QueryClientWindow) return 0;
    return Control(gadget).windowId;
}

void HeadlessGadgetHost::Queue(const GadgetPtr& gadget, Action action) {
    std::weak_ptr<TGadget> weak = gadget;
    source_->Push([weak, action = std::move(action)] {
        if (GadgetPtr g = weak.lock()) action(*g);
    });
}

void HeadlessGadgetHost::Click(const GadgetPtr& button) {
    Queue(button, [](TGadget& g) {
        HeadlessControl& control = Control(g);
        const int32_t kind = ButtonKind(g.style);
        if (kind == ButtonCheckBox) control.checked = !control.checked;
        if (kind == ButtonRadio) control.checked = true;
        UserClickedButton(g, control.checked);
    });
}

void HeadlessGadgetHost::PickItem(const GadgetPtr& comboOrTabber, int32_t index) {
    Queue(comboOrTabber, [index](TGadget& g) {
        HeadlessControl& control = Control(g);
        if (index < 0 || static_cast<size_t>(index) >= control.items.size() || index == control.selected) return;
        control.selected = index;
        UserPickedItem(g, index);
    });
}

void HeadlessGadgetHost::ClickArrow(const GadgetPtr& scrollBar, bool forward) {
    Queue(scrollBar,
          [forward](TGadget& g) { UserScrolled(g, forward ? ScrollMove::LineForward : ScrollMove::LineBack); });
}

void HeadlessGadgetHost::ClickTrough(const GadgetPtr& scrollBar, bool forward) {
    Queue(scrollBar,
          [forward](TGadget& g) { UserScrolled(g, forward ? ScrollMove::PageForward : ScrollMove::PageBack); });
}

void HeadlessGadgetHost::DragThumb(const GadgetPtr& slider, int32_t position) {
    Queue(slider, [position](TGadget& g) {
        if (SliderKind(g) == SliderScrollBar)
            UserScrolled(g, ScrollMove::Thumb, position);
        else
            UserMovedSlider(g, position);
        Control(g).position = g.position;
    });
}

void HeadlessGadgetHost::MoveWindow(const GadgetPtr& window, int32_t x, int32_t y) {
    Queue(window, [x, y](TGadget& g) {
        Control(g).shape.x = x;
        Control(g).shape.y = y;
        UserMovedWindow(g, x, y);
    });
}

void HeadlessGadgetHost::SizeWindow(const GadgetPtr& window, int32_t width, int32_t height) {
    Queue(window, [width, height](TGadget& g) {
        Control(g).shape.width = width;
        Control(g).shape.height = height;
        UserSizedWindow(g, width, height);
    });
}

void HeadlessGadgetHost::CloseWindow(const GadgetPtr& window) {
    Queue(window, [](TGadget& g) { UserClosedWindow(g); });
}

void HeadlessGadgetHost::ActivateWindow(const GadgetPtr& window) {
    Queue(window, [](TGadget& g) {
        ApplicationActivation(true);
        UserActivatedWindow(g);
    });
}

void HeadlessGadgetHost::ActivateOtherApplication() {
    source_->Push([] { ApplicationActivation(false); });
}
