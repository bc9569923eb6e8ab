// The gadget record: one window, control or container of the GUI, its items, and the codes of
// gadget kinds and styles.
//
// Gadgets form a tree rooted in the desktop gadget. A parent owns its kids (shared references in
// creation order); a kid points back to its parent without owning it. The host control of a
// gadget belongs to the gadget and is released with it.
#pragma once

#include "draw2d/graphics.h"
#include "runtime/object.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// GadgetClass codes. The program makes desktop, window, button, panel, combo box, tabber, label,
// slider and canvas; the others exist as codes only.
constexpr int32_t GadgetDesktop = 0;
constexpr int32_t GadgetWindow = 1;
constexpr int32_t GadgetButton = 2;
constexpr int32_t GadgetPanel = 3;
constexpr int32_t GadgetTextField = 4;
constexpr int32_t GadgetTextArea = 5;
constexpr int32_t GadgetComboBox = 6;
constexpr int32_t GadgetListBox = 7;
constexpr int32_t GadgetToolBar = 8;
constexpr int32_t GadgetTabber = 9;
constexpr int32_t GadgetTreeView = 10;
constexpr int32_t GadgetHtmlView = 11;
constexpr int32_t GadgetLabel = 12;
constexpr int32_t GadgetSlider = 13;
constexpr int32_t GadgetProgressBar = 14;
constexpr int32_t GadgetMenu = 15;
constexpr int32_t GadgetTreeNode = 16;
constexpr int32_t GadgetCanvas = 17;

// Window styles; they add up.
constexpr int32_t WindowTitleBar = 1;
constexpr int32_t WindowResizable = 2;
constexpr int32_t WindowMenuBar = 4;
constexpr int32_t WindowStatusBar = 8;
constexpr int32_t WindowToolWindow = 16;
constexpr int32_t WindowClientCoords = 32;
constexpr int32_t WindowHidden = 64;
constexpr int32_t WindowAcceptFiles = 128;
constexpr int32_t WindowChild = 256;

// Button styles: style modulo 8 gives the kind (ButtonKind); 8 makes a push button the default button.
constexpr int32_t ButtonPush = 0;
constexpr int32_t ButtonPushPlain = 1; // a push button too
constexpr int32_t ButtonCheckBox = 2;
constexpr int32_t ButtonRadio = 3;
constexpr int32_t ButtonOk = 4;
constexpr int32_t ButtonCancel = 5;
constexpr int32_t ButtonDefault = 8;

// Label styles: style modulo 8 gives the frame (LabelFrame); 8 right-aligns the text, 16 centres it.
constexpr int32_t LabelFrameNone = 0;
constexpr int32_t LabelFrameBorder = 1;
constexpr int32_t LabelFrameSunken = 2;
constexpr int32_t LabelFrameEtched = 3;
constexpr int32_t LabelRight = 8;
constexpr int32_t LabelCentre = 16;

// Panel styles; they add up. A canvas is a panel with PanelCanvas.
constexpr int32_t PanelSunken = 1;
constexpr int32_t PanelSensitive = 2;
constexpr int32_t PanelCanvas = 4;
constexpr int32_t PanelGroupBox = 8;

// Combo box styles: an editable text field, or picking from the list only.
constexpr int32_t ComboPickOnly = 0;
constexpr int32_t ComboEditable = 1;

// Slider styles: style / 4 gives the kind (SliderKind), bit 1 the orientation (set horizontal).
constexpr int32_t SliderHorizontal = 1;
constexpr int32_t SliderScrollBar = 0;
constexpr int32_t SliderTrackBar = 1;
constexpr int32_t SliderStepper = 2;

// The parts of a style that are not bits: one decoding for every layer and host.
constexpr int32_t ButtonKind(int32_t style) {
    return style % 8;
}
constexpr int32_t LabelFrame(int32_t style) {
    return style % 8;
}
constexpr int32_t SliderKind(int32_t style) {
    return style / 4;
}

// Layout edge rules.
constexpr int32_t LayoutFree = 0;
constexpr int32_t LayoutAligned = 1;
constexpr int32_t LayoutRelative = 2;

// An item's state bit for "selected", and the flag bit that makes a user's pick toggle it.
constexpr int32_t ItemSelected = 0x10;
constexpr int32_t ItemToggles = 2;

// QueryGadget's "what".
constexpr int32_t QueryHostWindow = 1;
constexpr int32_t QueryClientWindow = 2;

class TGadgetItem {
public:
    std::string text;
    std::string tip;
    int32_t icon = -1;
    int32_t flags = 0;
    std::shared_ptr<TObject> extra;
    int32_t state = 0;
};

// What a host keeps for one gadget (its widgets); each host derives its own.
class HostControl {
public:
    HostControl() = default;
    virtual ~HostControl() = default;
    HostControl(const HostControl&) = delete;
    HostControl& operator=(const HostControl&) = delete;
};

// A rectangle in the parent's client coordinates.
struct GadgetShape {
    int32_t x = 0, y = 0, width = 0, height = 0;
};

class TGadget : public TObject, public std::enable_shared_from_this<TGadget> {
public:
    TGadget(int32_t gadgetClass, int32_t gadgetStyle) : klass(gadgetClass), style(gadgetStyle) {}
    ~TGadget() override;
    TGadget(const TGadget&) = delete;
    TGadget& operator=(const TGadget&) = delete;

    // Not owned: the parent owns this gadget. Null only for the desktop.
    TGadget* parent = nullptr;
    std::vector<std::shared_ptr<TGadget>> kids;
    GadgetShape shape;
    std::string text;
    int32_t layoutLeft = 0, layoutRight = 0, layoutTop = 0, layoutBottom = 0;
    // The shape and the parent's client size (each at least 1) the layout works from.
    GadgetShape referenceShape;
    int32_t referenceParentWidth = 1, referenceParentHeight = 1;
    std::vector<TGadgetItem> items;
    const int32_t klass;
    const int32_t style;
    bool visible = true;

    // Buttons: checked (check boxes and radio buttons).
    bool checked = false;
    // Sliders: the two range values and the position, meaning per kind.
    int32_t range0 = 1, range1 = 10, position = 0;
    // Canvases: the display attached to the canvas's host window (null when none could be).
    GraphicsPtr graphics;

    std::unique_ptr<HostControl> host;
};
using GadgetPtr = std::shared_ptr<TGadget>;
