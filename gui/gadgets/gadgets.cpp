// The gadget calls: the creation steps, and reading and changing gadgets through the host.
#include "gui/gadgets/gadgets.h"

#include "gui/gadgets/layout.h"
#include "gui/gadgets/slider_rules.h"
#include "runtime/runtime_error.h"

#include <initializer_list>
#include <utility>

namespace {

GadgetHost& Host() {
    GadgetHost* host = CurrentGadgetHost();
    CAPSARO_ASSERT(host != nullptr, "A gadget call was made before a gadget host was selected");
    return *host;
}

TGadget& Checked(const GadgetPtr& gadget) {
    if (!gadget) RuntimeError("A gadget call was given no gadget");
    return *gadget;
}

// The gadget, when it is of one of the classes; else the runtime error "Invalid Gadget type".
TGadget& OfClass(const GadgetPtr& gadget, std::initializer_list<int32_t> classes) {
    TGadget& g = Checked(gadget);
    for (int32_t klass : classes)
        if (g.klass == klass) return g;
    RuntimeError("Invalid Gadget type");
}

void ShowSliderPosition(TGadget& slider, int64_t position) {
    slider.position = ClampSliderPosition(slider, position);
    Host().ShowSlider(slider);
}

} // namespace

GadgetPtr CreateGadget(int32_t gadgetClass, const std::string& text, int32_t x, int32_t y, int32_t w, int32_t h,
                       const GadgetPtr& group, int32_t style) {
    GadgetHost* host = CurrentGadgetHost();
    GadgetPtr parent = group ? group : Desktop();
    if (!host || !parent) return nullptr;
    if (gadgetClass == GadgetDesktop) return Desktop();

    auto gadget = std::make_shared<TGadget>(gadgetClass, style);
    gadget->parent = parent.get();
    gadget->shape = GadgetShape{x, y, w, h};
    // Only a non-empty title is given to a panel (a group box's caption).
    if (gadgetClass != GadgetPanel && gadgetClass != GadgetCanvas)
        gadget->text = text;
    else if (!text.empty())
        gadget->text = text;
    gadget->visible = !(gadgetClass == GadgetWindow && (style & WindowHidden));
    if (!host->CreateControl(*gadget)) return nullptr;
    host->ShowShape(*gadget);
    host->ShowText(*gadget);
    host->ShowVisible(*gadget);
    RecordLayoutReference(*gadget);
    parent->kids.push_back(gadget);
    if (gadgetClass == GadgetSlider) {
        gadget->range0 = 1;
        gadget->range1 = 10;
        ShowSliderPosition(*gadget, 0);
    }
    return gadget;
}

GadgetPtr CreateWindow(const std::string& title, int32_t x, int32_t y, int32_t w, int32_t h, const GadgetPtr& group,
                       int32_t style) {
    return CreateGadget(GadgetWindow, title, x, y, w, h, group, style);
}

GadgetPtr CreateButton(const std::string& text, int32_t x, int32_t y, int32_t w, int32_t h, const GadgetPtr& group,
                       int32_t style) {
    return CreateGadget(GadgetButton, text, x, y, w, h, group, style);
}

GadgetPtr CreateLabel(const std::string& text, int32_t x, int32_t y, int32_t w, int32_t h, const GadgetPtr& group,
                      int32_t style) {
    return CreateGadget(GadgetLabel, text, x, y, w, h, group, style);
}

GadgetPtr CreatePanel(int32_t x, int32_t y, int32_t w, int32_t h, const GadgetPtr& group, int32_t style,
                      const std::string& title) {
    return CreateGadget(GadgetPanel, title, x, y, w, h, group, style);
}

GadgetPtr CreateComboBox(int32_t x, int32_t y, int32_t w, int32_t h, const GadgetPtr& group, int32_t style) {
    return CreateGadget(GadgetComboBox, std::string(), x, y, w, h, group, style);
}

GadgetPtr CreateTabber(int32_t x, int32_t y, int32_t w, int32_t h, const GadgetPtr& group, int32_t style) {
    return CreateGadget(GadgetTabber, std::string(), x, y, w, h, group, style);
}

GadgetPtr CreateSlider(int32_t x, int32_t y, int32_t w, int32_t h, const GadgetPtr& group, int32_t style) {
    return CreateGadget(GadgetSlider, std::string(), x, y, w, h, group, style);
}

GadgetPtr CreateCanvas(int32_t x, int32_t y, int32_t w, int32_t h, const GadgetPtr& group, int32_t style) {
    GadgetPtr canvas = CreateGadget(GadgetCanvas, std::string(), x, y, w, h, group, style | PanelCanvas);
    if (!canvas) return nullptr;
    const uint64_t window = Host().WindowId(*canvas, QueryHostWindow);
    // The drawing layer adds its own default flags.
    if (window != 0) canvas->graphics = AttachDisplay(window, 0);
    return canvas;
}

GraphicsPtr CanvasGraphics(const GadgetPtr& canvas) {
    return OfClass(canvas, {GadgetCanvas}).graphics;
}

uint64_t QueryGadget(const GadgetPtr& gadget, int32_t what) {
    return Host().WindowId(Checked(gadget), what);
}

int32_t GadgetX(const GadgetPtr& gadget) {
    return Checked(gadget).shape.x;
}
int32_t GadgetY(const GadgetPtr& gadget) {
    return Checked(gadget).shape.y;
}
int32_t GadgetWidth(const GadgetPtr& gadget) {
    return Checked(gadget).shape.width;
}
int32_t GadgetHeight(const GadgetPtr& gadget) {
    return Checked(gadget).shape.height;
}
int32_t ClientWidth(const GadgetPtr& gadget) {
    return Host().ClientWidth(Checked(gadget));
}
int32_t ClientHeight(const GadgetPtr& gadget) {
    return Host().ClientHeight(Checked(gadget));
}

void SetGadgetShape(const GadgetPtr& gadget, int32_t x, int32_t y, int32_t w, int32_t h) {
    TGadget& g = Checked(gadget);
    g.shape = GadgetShape{x, y, w, h};
    Host().ShowShape(g);
    RecordLayoutReference(g);
    LayoutKids(g);
}

void SetGadgetText(const GadgetPtr& gadget, const std::string& text) {
    TGadget& g = Checked(gadget);
    g.text = text;
    Host().ShowText(g);
}

void SetGadgetLayout(const GadgetPtr& gadget, int32_t left, int32_t right, int32_t top, int32_t bottom) {
    TGadget& g = Checked(gadget);
    g.layoutLeft = left;
    g.layoutRight = right;
    g.layoutTop = top;
    g.layoutBottom = bottom;
    RecordLayoutReference(g);
}

void ShowGadget(const GadgetPtr& gadget) {
    TGadget& g = Checked(gadget);
    g.visible = true;
    Host().ShowVisible(g);
}

void HideGadget(const GadgetPtr& gadget) {
    TGadget& g = Checked(gadget);
    g.visible = false;
    Host().ShowVisible(g);
}

void RedrawGadget(const GadgetPtr& gadget) {
    Host().Redraw(Checked(gadget));
}

void AddGadgetItem(const GadgetPtr& gadget, const std::string& text, int32_t flags, int32_t icon,
                   const std::string& tip, std::shared_ptr<TObject> extra) {
    TGadget& g = OfClass(gadget, {GadgetComboBox, GadgetTabber});
    TGadgetItem item;
    item.text = text;
    item.tip = tip;
    item.icon = icon;
    item.flags = flags;
    item.extra = std::move(extra);
    g.items.push_back(std::move(item));
    Host().ShowItemAdded(g);
}

void SelectGadgetItem(const GadgetPtr& gadget, int32_t index) {
    TGadget& g = OfClass(gadget, {GadgetComboBox, GadgetTabber});
    const auto count = static_cast<int32_t>(g.items.size());
    if (index < -1 || index >= count) return;
    // Combo boxes and tabbers show one choice: selecting an item deselects the others.
    for (int32_t i = 0; i < count; ++i) {
        TGadgetItem& item = g.items[static_cast<size_t>(i)];
        if (index == -1 || i == index)
            item.state |= ItemSelected;
        else
            item.state &= ~ItemSelected;
    }
    Host().ShowItemSelected(g, index);
}

int32_t CountGadgetItems(const GadgetPtr& gadget) {
    return static_cast<int32_t>(OfClass(gadget, {GadgetComboBox, GadgetTabber}).items.size());
}

void SetButtonState(const GadgetPtr& button, int32_t state) {
    TGadget& g = OfClass(button, {GadgetButton});
    g.checked = state != 0;
    Host().ShowChecked(g);
}

int32_t ButtonState(const GadgetPtr& button) {
    return OfClass(button, {GadgetButton}).checked ? 1 : 0;
}

void SetSliderRange(const GadgetPtr& slider, int32_t range0, int32_t range1) {
    TGadget& g = OfClass(slider, {GadgetSlider});
    g.range0 = range0;
    g.range1 = range1;
    ShowSliderPosition(g, g.position);
}

void SetSliderValue(const GadgetPtr& slider, int32_t value) {
    ShowSliderPosition(OfClass(slider, {GadgetSlider}), value);
}

int32_t SliderValue(const GadgetPtr& slider) {
    return OfClass(slider, {GadgetSlider}).position;
}
