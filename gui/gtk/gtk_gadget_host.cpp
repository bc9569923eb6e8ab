// The GTK 3 gadget host.
//
// Sections: widget ownership; making each kind (window, button, label, panel, canvas, combo box,
// tabber, slider) with its signals; the host calls; selecting the host.
#include "gui/gtk/gtk_gadget_host.h"

#include "gui/gadgets/dialog_keys.h"
#include "gui/gadgets/gadget_events.h"
#include "gui/gadgets/host_kinds.h"
#include "gui/gtk/gtk_control.h"
#include "gui/gtk/gtk_input.h"
#include "gui/gtk/gtk_look.h"
#include "gui/gtk/gtk_pump.h"
#include "runtime/runtime_error.h"

#include <gdk/gdkkeysyms.h>
#include <gdk/gdkx.h>

#include <algorithm>
#include <cmath>
#include <optional>

// ---- Widget ownership ----

GtkControl::~GtkControl() {
    if (!outer) return;
    QuietChange quiet;
    gtk_widget_destroy(outer);
    g_object_unref(outer);
}

GtkControl& ControlOf(const TGadget& gadget) {
    auto* control = dynamic_cast<GtkControl*>(gadget.host.get());
    if (!control) RuntimeError("The gadget was not made by the GTK host");
    return *control;
}

namespace {

// Holds a reference of our own, so a widget destroyed with its container stays valid until the
// gadget lets go.
GtkWidget* Own(GtkWidget* widget) {
    return GTK_WIDGET(g_object_ref_sink(widget));
}

GtkWidget* ParentClient(const TGadget& gadget) {
    return gadget.parent && gadget.parent->host ? ControlOf(*gadget.parent).client : nullptr;
}

// A fixed container that asks for no more room than its own size request: kids that run past its
// edges (a label wider than its panel) are clipped there instead of growing the window.
struct ClipFixed {
    GtkFixed parent;
};
struct ClipFixedClass {
    GtkFixedClass parentClass;
};
G_DEFINE_TYPE(ClipFixed, clip_fixed, GTK_TYPE_FIXED)

void PreferNoRoom(GtkWidget*, gint* minimum, gint* natural) {
    *minimum = *natural = 0;
}

void clip_fixed_class_init(ClipFixedClass* klass) {
    GtkWidgetClass* widgetClass = GTK_WIDGET_CLASS(klass);
    widgetClass->get_preferred_width = PreferNoRoom;
    widgetClass->get_preferred_height = PreferNoRoom;
}

void clip_fixed_init(ClipFixed*) {}

// A fixed container with a window of its own, so its kids are clipped to it.
GtkWidget* ClippingFixed() {
    GtkWidget* fixed = GTK_WIDGET(g_object_new(clip_fixed_get_type(), nullptr));
    gtk_widget_set_has_window(fixed, TRUE);
    gtk_widget_show(fixed);
    return fixed;
}

// On the X11 backend every widget can have an X window of its own, which the drawing driver draws
// into; on the others (Wayland) nothing has a window id.
bool HasXWindows() {
    return GDK_IS_X11_DISPLAY(gdk_display_get_default());
}

TGadget* WindowOf(TGadget& gadget) {
    for (TGadget* g = &gadget; g; g = g->parent)
        if (g->klass == GadgetWindow) return g;
    return nullptr;
}

// ---- Windows ----

// Whether the user works in the window. On X11 that is GTK's is-active: the window has the
// keyboard focus. On Wayland it is the compositor's activated state (GDK's focused state), since
// there a keyboard that goes away (a virtual one ending) takes the keyboard focus with it while
// the user has not turned to another window.
bool IsActiveWindow(GtkWindow* window) {
    if (HasXWindows()) return gtk_window_is_active(window);
    GdkWindow* gdkWindow = gtk_widget_get_window(GTK_WIDGET(window));
    return gdkWindow && (gdk_window_get_state(gdkWindow) & GDK_WINDOW_STATE_FOCUSED) != 0;
}

// The application is active while one of its windows is; decided once the focus has settled.
gboolean SettleActivation(gpointer) {
    bool active = false;
    GList* toplevels = gtk_window_list_toplevels();
    for (GList* it = toplevels; it; it = it->next)
        if (IsActiveWindow(GTK_WINDOW(it->data))) active = true;
    g_list_free(toplevels);
    ApplicationActivation(active);
    return G_SOURCE_REMOVE;
}

void OnActiveChanged(GObject* window, GParamSpec*, gpointer data) {
    if (gtk_window_is_active(GTK_WINDOW(window))) UserActivatedWindow(*static_cast<TGadget*>(data));
    g_idle_add(SettleActivation, nullptr);
}

// How long after mapping a window its focus is first settled, unless the compositor says so sooner.
constexpr guint kMapFocusSettleMs = 250;

gboolean OnWindowState(GtkWidget*, GdkEventWindowState* event, gpointer data) {
    if (event->changed_mask & GDK_WINDOW_STATE_WITHDRAWN) {
        // GDK marks a window it maps as focused before the compositor has said anything, and the
        // compositor's first configure may take that back: a focus settled in between would end
        // the dialog as if the user had turned away. The compositor's word comes as a change of
        // the focused state on its own; without one, the state is settled a moment later.
        g_timeout_add(kMapFocusSettleMs, SettleActivation, nullptr);
        return FALSE;
    }
    if ((event->changed_mask & GDK_WINDOW_STATE_FOCUSED) == 0) return FALSE;
    if (event->new_window_state & GDK_WINDOW_STATE_FOCUSED) UserActivatedWindow(*static_cast<TGadget*>(data));
    g_idle_add(SettleActivation, nullptr);
    return FALSE;
}

gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer data) {
    UserClosedWindow(*static_cast<TGadget*>(data));
    // The window stays; the program decides.
    return TRUE;
}

gboolean OnConfigure(GtkWidget*, GdkEventConfigure* event, gpointer data) {
    TGadget& window = *static_cast<TGadget*>(data);
    if (event->x != window.shape.x || event->y != window.shape.y) UserMovedWindow(window, event->x, event->y);
    return FALSE;
}

void OnClientAllocated(GtkWidget*, GdkRectangle* allocation, gpointer data) {
    TGadget& window = *static_cast<TGadget*>(data);
    if ((window.style & WindowResizable) == 0) return;
    if (allocation->width != window.shape.width || allocation->height != window.shape.height)
        UserSizedWindow(window, allocation->width, allocation->height);
}

bool IsPushButtonWidget(GtkWidget* widget) {
    return widget && GTK_IS_BUTTON(widget) && !GTK_IS_TOGGLE_BUTTON(widget);
}

// Escape cancels, Enter presses the default button, as in a dialog; a focused push button takes
// Enter itself. (An open combo box's list has a window of its own, which takes its keys.)
gboolean OnWindowKey(GtkWidget* window, GdkEventKey* event, gpointer data) {
    TGadget& gadget = *static_cast<TGadget*>(data);
    GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(window));
    if (event->keyval == GDK_KEY_Escape) {
        UserPressedEscape(gadget);
        return TRUE;
    }
    const bool enter = event->keyval == GDK_KEY_Return || event->keyval == GDK_KEY_KP_Enter;
    if (!enter || IsPushButtonWidget(focus)) return FALSE;
    UserPressedEnter(gadget);
    return TRUE;
}

bool MakeWindow(TGadget& gadget, GtkControl& control) {
    GtkWidget* parentClient = ParentClient(gadget);
    if ((gadget.style & WindowChild) && parentClient) {
        control.outer = Own(ClippingFixed());
        control.client = control.outer;
        gtk_fixed_put(GTK_FIXED(parentClient), control.outer, 0, 0);
        return true;
    }
    GtkWidget* window = Own(gtk_window_new(GTK_WINDOW_TOPLEVEL));
    control.outer = control.main = window;
    GtkWindow* w = GTK_WINDOW(window);
    gtk_window_set_decorated(w, (gadget.style & WindowTitleBar) != 0);
    gtk_window_set_resizable(w, (gadget.style & WindowResizable) != 0);
    if (gadget.style & WindowToolWindow) gtk_window_set_type_hint(w, GDK_WINDOW_TYPE_HINT_UTILITY);
    control.client = ClippingFixed();
    gtk_container_add(GTK_CONTAINER(window), control.client);
    g_signal_connect(window, "delete-event", G_CALLBACK(OnDelete), &gadget);
    g_signal_connect(window, "configure-event", G_CALLBACK(OnConfigure), &gadget);
    if (HasXWindows())
        g_signal_connect(window, "notify::is-active", G_CALLBACK(OnActiveChanged), &gadget);
    else
        g_signal_connect(window, "window-state-event", G_CALLBACK(OnWindowState), &gadget);
    g_signal_connect(window, "key-press-event", G_CALLBACK(OnWindowKey), &gadget);
    g_signal_connect(control.client, "size-allocate", G_CALLBACK(OnClientAllocated), &gadget);
    return true;
}

// ---- Buttons and labels ----

void OnClicked(GtkButton* button, gpointer data) {
    if (QuietChange::Active()) return;
    const bool checked = GTK_IS_TOGGLE_BUTTON(button) && gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(button));
    UserClickedButton(*static_cast<TGadget*>(data), checked);
}

// The radio button made last among the gadget's earlier siblings, whose group a new one joins.
GtkRadioButton* PreviousRadio(const TGadget& gadget) {
    if (!gadget.parent) return nullptr;
    GtkRadioButton* previous = nullptr;
    for (const GadgetPtr& kid : gadget.parent->kids)
        if (kid->klass == GadgetButton && ButtonKind(kid->style) == ButtonRadio && kid->host)
            previous = GTK_RADIO_BUTTON(ControlOf(*kid).main);
    return previous;
}

bool MakeButton(TGadget& gadget, GtkControl& control) {
    GtkWidget* parentClient = ParentClient(gadget);
    if (!parentClient) return false;
    GtkWidget* button = nullptr;
    switch (ButtonKind(gadget.style)) {
    case ButtonCheckBox:
        button = gtk_check_button_new_with_label("");
        break;
    case ButtonRadio:
        button = gtk_radio_button_new_with_label_from_widget(PreviousRadio(gadget), "");
        break;
    default:
        button = gtk_button_new_with_label("");
        break;
    }
    control.outer = control.main = Own(button);
    gtk_fixed_put(GTK_FIXED(parentClient), button, 0, 0);
    g_signal_connect(button, "clicked", G_CALLBACK(OnClicked), &gadget);
    // The default button looks it.
    TGadget* window = WindowOf(gadget);
    if (BecomesDefaultButton(gadget) && window && window->host && GTK_IS_WINDOW(ControlOf(*window).outer)) {
        gtk_widget_set_can_default(button, TRUE);
        gtk_window_set_default(GTK_WINDOW(ControlOf(*window).outer), button);
    }
    return true;
}

struct LabelFrameRow {
    int32_t frame;
    GtkShadowType shadow;
};
// Label frames (style modulo 8): a border, a sunken frame, an etched frame without text.
constexpr LabelFrameRow kLabelFrames[] = {
    {LabelFrameBorder, GTK_SHADOW_IN}, {LabelFrameSunken, GTK_SHADOW_IN}, {LabelFrameEtched, GTK_SHADOW_ETCHED_IN}};

bool MakeLabel(TGadget& gadget, GtkControl& control) {
    GtkWidget* parentClient = ParentClient(gadget);
    if (!parentClient) return false;
    GtkWidget* label = gtk_label_new(nullptr);
    gtk_label_set_ellipsize(GTK_LABEL(label), PANGO_ELLIPSIZE_END);
    const float xalign = (gadget.style & LabelRight) ? 1.0f : (gadget.style & LabelCentre) ? 0.5f : 0.0f;
    gtk_label_set_xalign(GTK_LABEL(label), xalign);
    gtk_label_set_yalign(GTK_LABEL(label), 0.5f);
    control.label = control.main = label;
    GtkWidget* outer = label;
    for (const LabelFrameRow& row : kLabelFrames) {
        if (row.frame != LabelFrame(gadget.style)) continue;
        outer = gtk_frame_new(nullptr);
        gtk_frame_set_shadow_type(GTK_FRAME(outer), row.shadow);
        gtk_container_add(GTK_CONTAINER(outer), label);
        gtk_widget_show(label);
    }
    control.outer = Own(outer);
    gtk_fixed_put(GTK_FIXED(parentClient), outer, 0, 0);
    return true;
}

// ---- Panels and canvases ----

bool MakePanel(TGadget& gadget, GtkControl& control) {
    GtkWidget* parentClient = ParentClient(gadget);
    if (!parentClient) return false;
    control.client = ClippingFixed();
    GtkWidget* outer = control.client;
    if (gadget.style & (PanelGroupBox | PanelSunken)) {
        outer = gtk_frame_new(nullptr);
        if (!(gadget.style & PanelGroupBox)) gtk_frame_set_shadow_type(GTK_FRAME(outer), GTK_SHADOW_IN);
        gtk_container_add(GTK_CONTAINER(outer), control.client);
    }
    control.outer = Own(outer);
    control.main = control.client;
    if (gadget.style & PanelSensitive) ConnectPanelInput(control.client, gadget);
    gtk_fixed_put(GTK_FIXED(parentClient), outer, 0, 0);
    return true;
}

gboolean OnCanvasDraw(GtkWidget*, cairo_t* cr, gpointer data) {
    TGadget& gadget = *static_cast<TGadget*>(data);
    // In an X window the attached display draws the picture itself; elsewhere its last frame is
    // painted here.
    if (const GtkCanvasFrame* frame = ControlOf(gadget).frame.get()) frame->Paint(cr);
    HostPaintsCanvas(gadget);
    return TRUE;
}

bool MakeCanvas(TGadget& gadget, GtkControl& control) {
    GtkWidget* parentClient = ParentClient(gadget);
    if (!parentClient) return false;
    GtkWidget* area = gtk_drawing_area_new();
    control.outer = control.main = Own(area);
    gtk_widget_set_app_paintable(area, TRUE);
    if (!HasXWindows()) control.frame = std::make_unique<GtkCanvasFrame>(area);
    g_signal_connect(area, "draw", G_CALLBACK(OnCanvasDraw), &gadget);
    ConnectPanelInput(area, gadget);
    gtk_fixed_put(GTK_FIXED(parentClient), area, 0, 0);
    return true;
}

// ---- Combo boxes and tabbers ----

void OnComboChanged(GtkComboBox* combo, gpointer data) {
    if (QuietChange::Active()) return;
    TGadget& gadget = *static_cast<TGadget*>(data);
    const int active = gtk_combo_box_get_active(combo);
    if (active >= 0)
        UserPickedItem(gadget, active);
    else if (gadget.style & ComboEditable)
        UserEditedCombo(gadget);
}

bool MakeComboBox(TGadget& gadget, GtkControl& control) {
    GtkWidget* parentClient = ParentClient(gadget);
    if (!parentClient) return false;
    GtkWidget* combo = (gadget.style & ComboEditable) ? gtk_combo_box_text_new_with_entry() : gtk_combo_box_text_new();
    control.outer = control.main = Own(combo);
    g_signal_connect(combo, "changed", G_CALLBACK(OnComboChanged), &gadget);
    gtk_fixed_put(GTK_FIXED(parentClient), combo, 0, 0);
    return true;
}

void OnSwitchPage(GtkNotebook*, GtkWidget*, guint page, gpointer data) {
    // GTK also switches pages while the notebook is built; only the user's switches count.
    if (QuietChange::Active()) return;
    UserPickedItem(*static_cast<TGadget*>(data), static_cast<int32_t>(page));
}

// A tabber is a notebook whose pages stay empty, with one clipping container over the page area
// for the tabber's kids; the program shows and hides its own panels on a tab switch.
bool MakeTabber(TGadget& gadget, GtkControl& control) {
    GtkWidget* parentClient = ParentClient(gadget);
    if (!parentClient) return false;
    GtkWidget* box = gtk_fixed_new();
    control.outer = Own(box);
    control.main = gtk_notebook_new();
    gtk_notebook_set_scrollable(GTK_NOTEBOOK(control.main), TRUE);
    gtk_fixed_put(GTK_FIXED(box), control.main, 0, 0);
    gtk_widget_show(control.main);
    control.client = ClippingFixed();
    const ChildInsets& insets = NotebookInsets();
    gtk_fixed_put(GTK_FIXED(box), control.client, insets.left, insets.top);
    g_signal_connect(control.main, "switch-page", G_CALLBACK(OnSwitchPage), &gadget);
    gtk_fixed_put(GTK_FIXED(parentClient), box, 0, 0);
    return true;
}

// ---- Sliders ----

int32_t Whole(double value) {
    return static_cast<int32_t>(std::lround(value));
}

struct ScrollRow {
    GtkScrollType type;
    ScrollMove move;
};
constexpr ScrollRow kScrollMoves[] = {
    {GTK_SCROLL_STEP_BACKWARD, ScrollMove::LineBack},
    {GTK_SCROLL_STEP_LEFT, ScrollMove::LineBack},
    {GTK_SCROLL_STEP_UP, ScrollMove::LineBack},
    {GTK_SCROLL_STEP_FORWARD, ScrollMove::LineForward},
    {GTK_SCROLL_STEP_RIGHT, ScrollMove::LineForward},
    {GTK_SCROLL_STEP_DOWN, ScrollMove::LineForward},
    {GTK_SCROLL_PAGE_BACKWARD, ScrollMove::PageBack},
    {GTK_SCROLL_PAGE_LEFT, ScrollMove::PageBack},
    {GTK_SCROLL_PAGE_UP, ScrollMove::PageBack},
    {GTK_SCROLL_PAGE_FORWARD, ScrollMove::PageForward},
    {GTK_SCROLL_PAGE_RIGHT, ScrollMove::PageForward},
    {GTK_SCROLL_PAGE_DOWN, ScrollMove::PageForward},
    {GTK_SCROLL_START, ScrollMove::Start},
    {GTK_SCROLL_END, ScrollMove::End},
};

// A scroll bar moves by the gadget's rules (whole numbers, clamped); GTK's own move is replaced.
gboolean OnScrollBarChange(GtkRange*, GtkScrollType type, gdouble value, gpointer data) {
    if (QuietChange::Active()) return TRUE;
    ScrollMove move = ScrollMove::Thumb;
    for (const ScrollRow& row : kScrollMoves)
        if (row.type == type) move = row.move;
    UserScrolled(*static_cast<TGadget*>(data), move, Whole(value));
    return TRUE;
}

void OnArrowBack(GtkButton*, gpointer data) {
    UserScrolled(*static_cast<TGadget*>(data), ScrollMove::LineBack);
}
void OnArrowForward(GtkButton*, gpointer data) {
    UserScrolled(*static_cast<TGadget*>(data), ScrollMove::LineForward);
}

void OnSliderValue(GtkAdjustment* adjustment, gpointer data) {
    if (QuietChange::Active()) return;
    TGadget& gadget = *static_cast<TGadget*>(data);
    UserMovedSlider(gadget, Whole(gtk_adjustment_get_value(adjustment)));
    QuietChange quiet;
    gtk_adjustment_set_value(adjustment, gadget.position);
}

GtkWidget* ArrowButton(bool horizontal, bool forward) {
    const char* icon = horizontal ? (forward ? "pan-end-symbolic" : "pan-start-symbolic")
                                  : (forward ? "pan-down-symbolic" : "pan-up-symbolic");
    GtkWidget* button = gtk_button_new_from_icon_name(icon, GTK_ICON_SIZE_MENU);
    gtk_style_context_add_class(gtk_widget_get_style_context(button), "capsaro-arrow");
    gtk_widget_set_can_focus(button, FALSE);
    gtk_widget_show(button);
    return button;
}

bool MakeSlider(TGadget& gadget, GtkControl& control) {
    GtkWidget* parentClient = ParentClient(gadget);
    if (!parentClient) return false;
    const bool horizontal = SliderIsHorizontal(gadget);
    const GtkOrientation orientation = horizontal ? GTK_ORIENTATION_HORIZONTAL : GTK_ORIENTATION_VERTICAL;
    control.adjustment = gtk_adjustment_new(0, 0, 10, 1, 1, 0);
    switch (SliderKind(gadget)) {
    case SliderScrollBar: {
        GtkWidget* box = gtk_box_new(orientation, 0);
        GtkWidget* back = ArrowButton(horizontal, false);
        GtkWidget* forward = ArrowButton(horizontal, true);
        control.main = gtk_scrollbar_new(orientation, control.adjustment);
        gtk_widget_show(control.main);
        gtk_box_pack_start(GTK_BOX(box), back, FALSE, FALSE, 0);
        gtk_box_pack_start(GTK_BOX(box), control.main, TRUE, TRUE, 0);
        gtk_box_pack_start(GTK_BOX(box), forward, FALSE, FALSE, 0);
        g_signal_connect(control.main, "change-value", G_CALLBACK(OnScrollBarChange), &gadget);
        g_signal_connect(back, "clicked", G_CALLBACK(OnArrowBack), &gadget);
        g_signal_connect(forward, "clicked", G_CALLBACK(OnArrowForward), &gadget);
        control.outer = Own(box);
        break;
    }
    case SliderTrackBar:
        control.main = gtk_scale_new(orientation, control.adjustment);
        gtk_scale_set_draw_value(GTK_SCALE(control.main), FALSE);
        // The top of a vertical track bar is its maximum.
        gtk_range_set_inverted(GTK_RANGE(control.main), !horizontal);
        control.outer = Own(control.main);
        g_signal_connect(control.adjustment, "value-changed", G_CALLBACK(OnSliderValue), &gadget);
        break;
    default:
        control.main = gtk_spin_button_new(control.adjustment, 1, 0);
        gtk_orientable_set_orientation(GTK_ORIENTABLE(control.main), orientation);
        control.outer = Own(control.main);
        g_signal_connect(control.adjustment, "value-changed", G_CALLBACK(OnSliderValue), &gadget);
        break;
    }
    gtk_fixed_put(GTK_FIXED(parentClient), control.outer, 0, 0);
    return true;
}

bool MakeDesktop(TGadget&, GtkControl&) {
    return true;
}

constexpr HostKind<GtkControl> kKinds[] = {
    {GadgetDesktop, MakeDesktop}, {GadgetWindow, MakeWindow},     {GadgetButton, MakeButton},
    {GadgetPanel, MakePanel},     {GadgetComboBox, MakeComboBox}, {GadgetTabber, MakeTabber},
    {GadgetLabel, MakeLabel},     {GadgetSlider, MakeSlider},     {GadgetCanvas, MakeCanvas},
};

// ---- The host calls ----

bool IsToplevel(const GtkControl& control) {
    return control.outer && GTK_IS_WINDOW(control.outer);
}

// The size of a container's child area for a frame or notebook with the given insets.
int32_t Inside(int32_t size, int near, int far) {
    return std::max(size - near - far, 0);
}

class GtkGadgetHost : public GadgetHost {
public:
    GtkGadgetHost() : pump_(std::make_shared<GtkPumpSource>()) { AddPumpSource(pump_); }
    ~GtkGadgetHost() override { RemovePumpSource(pump_); }

    GadgetShape DesktopShape() override {
        GdkWindow* root = gdk_get_default_root_window();
        GadgetShape shape;
        gdk_window_get_geometry(root, &shape.x, &shape.y, &shape.width, &shape.height);
        return shape;
    }

    bool CreateControl(TGadget& gadget) override { return CreateHostControl(gadget, kKinds); }

    void ShowShape(TGadget& gadget) override {
        GtkControl& control = ControlOf(gadget);
        if (!control.outer) return;
        const GadgetShape& s = gadget.shape;
        QuietChange quiet;
        if (IsToplevel(control)) {
            gtk_window_move(GTK_WINDOW(control.outer), s.x, s.y);
            if (gadget.style & WindowResizable) {
                gtk_window_resize(GTK_WINDOW(control.outer), std::max(s.width, 1), std::max(s.height, 1));
            } else {
                gtk_widget_set_size_request(control.client, std::max(s.width, 0), std::max(s.height, 0));
            }
            return;
        }
        GtkWidget* parentClient = ParentClient(gadget);
        if (parentClient) gtk_fixed_move(GTK_FIXED(parentClient), control.outer, s.x, s.y);
        gtk_widget_set_size_request(control.outer, std::max(s.width, 0), std::max(s.height, 0));
        if (gadget.klass == GadgetTabber) {
            gtk_widget_set_size_request(control.main, std::max(s.width, 0), std::max(s.height, 0));
            gtk_widget_set_size_request(control.client, ClientWidth(gadget), ClientHeight(gadget));
        }
    }

    void ShowText(TGadget& gadget) override {
        GtkControl& control = ControlOf(gadget);
        const char* text = gadget.text.c_str();
        switch (gadget.klass) {
        case GadgetWindow:
            if (IsToplevel(control)) gtk_window_set_title(GTK_WINDOW(control.outer), text);
            break;
        case GadgetButton:
            gtk_button_set_label(GTK_BUTTON(control.main), text);
            break;
        case GadgetLabel:
            if (LabelFrame(gadget.style) != LabelFrameEtched) gtk_label_set_text(GTK_LABEL(control.label), text);
            break;
        case GadgetPanel:
            if (GTK_IS_FRAME(control.outer) && (gadget.style & PanelGroupBox))
                gtk_frame_set_label(GTK_FRAME(control.outer), gadget.text.empty() ? nullptr : text);
            break;
        default:
            break;
        }
    }

    void ShowVisible(TGadget& gadget) override {
        GtkControl& control = ControlOf(gadget);
        if (control.outer) gtk_widget_set_visible(control.outer, gadget.visible);
    }

    void ShowItemAdded(TGadget& gadget) override {
        GtkControl& control = ControlOf(gadget);
        const TGadgetItem& item = gadget.items.back();
        QuietChange quiet;
        if (gadget.klass == GadgetComboBox) {
            gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(control.main), item.text.c_str());
            return;
        }
        GtkWidget* page = gtk_fixed_new();
        gtk_widget_show(page);
        GtkWidget* tab = gtk_label_new(item.text.c_str());
        if (!item.tip.empty()) gtk_widget_set_tooltip_text(tab, item.tip.c_str());
        gtk_notebook_append_page(GTK_NOTEBOOK(control.main), page, tab);
    }

    void ShowItemSelected(TGadget& gadget, int32_t index) override {
        GtkControl& control = ControlOf(gadget);
        QuietChange quiet;
        if (gadget.klass == GadgetComboBox)
            gtk_combo_box_set_active(GTK_COMBO_BOX(control.main), index);
        else if (index >= 0)
            gtk_notebook_set_current_page(GTK_NOTEBOOK(control.main), index);
    }

    void ShowChecked(TGadget& gadget) override {
        GtkControl& control = ControlOf(gadget);
        if (!GTK_IS_TOGGLE_BUTTON(control.main)) return;
        QuietChange quiet;
        gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(control.main), gadget.checked);
    }

    void ShowSlider(TGadget& gadget) override {
        GtkControl& control = ControlOf(gadget);
        QuietChange quiet;
        if (SliderKind(gadget) == SliderScrollBar) {
            const double page = std::max(gadget.range0, 0);
            const double upper = std::max<double>(gadget.range1, page);
            gtk_adjustment_configure(control.adjustment, gadget.position, 0, upper, 1, std::max(page, 1.0), page);
            return;
        }
        const double low = SliderLowest(gadget);
        const double high = SliderHighest(gadget);
        gtk_adjustment_configure(control.adjustment, gadget.position, low, high, 1, std::max(1.0, (high - low) / 10),
                                 0);
        if (SliderKind(gadget) == SliderTrackBar) {
            GtkScale* scale = GTK_SCALE(control.main);
            gtk_scale_clear_marks(scale);
            const GtkPositionType side = SliderIsHorizontal(gadget) ? GTK_POS_BOTTOM : GTK_POS_RIGHT;
            // A mark at every position while they fit, else at the ends.
            const double step = high - low <= 30 ? 1 : high - low;
            for (double v = low; v <= high; v += step)
                gtk_scale_add_mark(scale, v, side, nullptr);
        }
    }

    void Redraw(TGadget& gadget) override {
        GtkControl& control = ControlOf(gadget);
        if (control.main) gtk_widget_queue_draw(control.main);
    }

    int32_t ClientWidth(const TGadget& gadget) override {
        const int32_t w = gadget.shape.width;
        switch (gadget.klass) {
        case GadgetTabber:
            return Inside(w, NotebookInsets().left, NotebookInsets().right);
        case GadgetPanel:
            if (gadget.style & (PanelGroupBox | PanelSunken)) {
                const ChildInsets& in = FrameInsets((gadget.style & PanelGroupBox) != 0);
                return Inside(w, in.left, in.right);
            }
            return w;
        default:
            return w;
        }
    }

    int32_t ClientHeight(const TGadget& gadget) override {
        const int32_t h = gadget.shape.height;
        switch (gadget.klass) {
        case GadgetTabber:
            return Inside(h, NotebookInsets().top, NotebookInsets().bottom);
        case GadgetPanel:
            if (gadget.style & (PanelGroupBox | PanelSunken)) {
                const ChildInsets& in = FrameInsets((gadget.style & PanelGroupBox) != 0);
                return Inside(h, in.top, in.bottom);
            }
            return h;
        default:
            return h;
        }
    }

    uint64_t WindowId(TGadget& gadget, int32_t what) override {
        if (what != QueryHostWindow && what != QueryClientWindow) return 0;
        if (!HasXWindows()) {
            // A canvas's registered id is the one handle a display can attach to here.
            if (gadget.klass != GadgetCanvas) return 0;
            const GtkCanvasFrame* frame = ControlOf(gadget).frame.get();
            return frame ? frame->Id() : 0;
        }
        if (gadget.klass == GadgetDesktop) return gdk_x11_get_default_root_xwindow();
        GtkControl& control = ControlOf(gadget);
        GtkWidget* widget = what == QueryClientWindow && control.client ? control.client : control.outer;
        if (gadget.klass == GadgetCanvas) widget = control.main;
        if (!widget) return 0;
        gtk_widget_realize(widget);
        GdkWindow* window = gtk_widget_get_window(widget);
        if (!window) return 0;
        // Child widgets share their toplevel's X window until asked for one of their own.
        if (!IsToplevel(control)) gdk_window_ensure_native(window);
        // The window may exist only in GTK's request buffer yet; others ask the server about it.
        gdk_display_sync(gdk_window_get_display(window));
        return GDK_WINDOW_XID(window);
    }

private:
    std::shared_ptr<GtkPumpSource> pump_;
};

} // namespace

// ---- Selecting the host ----

namespace {

struct BackendRow {
    GtkBackend backend;
    const char* name;
};
constexpr BackendRow kBackends[] = {{GtkBackend::X11, "x11"}, {GtkBackend::Wayland, "wayland"}};

const char* BackendName(GtkBackend backend) {
    for (const BackendRow& row : kBackends)
        if (row.backend == backend) return row.name;
    return "x11";
}

} // namespace

std::shared_ptr<GadgetHost> MakeGtkGadgetHost(GtkBackend backend) {
    // GTK starts once a process, on one backend.
    static std::optional<GtkBackend> started;
    if (!started) {
        // Only the backend asked for: the X11 one gives the X window ids that the canvases and the
        // preview need, and a Wayland program must not end up on XWayland.
        gdk_set_allowed_backends(BackendName(backend));
        if (!gtk_init_check(nullptr, nullptr)) return nullptr;
        started = backend;
    }
    if (*started != backend) return nullptr;
    InstallGadgetLook();
    return std::make_shared<GtkGadgetHost>();
}

bool SelectGtkGadgetHost(GtkBackend backend) {
    std::shared_ptr<GadgetHost> host = MakeGtkGadgetHost(backend);
    if (!host) return false;
    SelectGadgetHost(std::move(host));
    return true;
}
