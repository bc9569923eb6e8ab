// GTK key and mouse events of sensitive panels translated into key and mouse events.
#include "gui/gtk/gtk_input.h"

#include "gui/events/event.h"
#include "gui/events/input_rules.h"
#include "gui/events/key_codes.h"
#include "gui/events/keysym_codes.h"
#include "gui/gadgets/gadget_events.h"

#include <set>

namespace {

int32_t Mods(guint state) {
    int32_t mods = 0;
    if (state & GDK_SHIFT_MASK) mods |= ModShift;
    if (state & GDK_CONTROL_MASK) mods |= ModControl;
    if (state & GDK_MOD1_MASK) mods |= ModAlt;
    if (state & (GDK_SUPER_MASK | GDK_MOD4_MASK)) mods |= ModSuper;
    return mods;
}

int32_t Button(guint button) {
    switch (button) {
    case 1:
        return MouseLeft;
    case 3:
        return MouseRight;
    case 2:
        return MouseMiddle;
    default:
        return 0;
    }
}

// Keys held down in sensitive panels, so a second press is a repeat.
std::set<int32_t>& HeldKeys() {
    static std::set<int32_t> held;
    return held;
}

gboolean OnKey(GtkWidget*, GdkEventKey* event, gpointer data) {
    TGadget& panel = *static_cast<TGadget*>(data);
    const int32_t key = KeysymKeyCode(event->keyval);
    const int32_t mods = Mods(event->state);
    if (event->type == GDK_KEY_RELEASE) {
        HeldKeys().erase(key);
        if (key > 0 && key < 256) PanelInput(panel, EventKeyUp, key, mods, 0, 0);
        return TRUE;
    }
    if (key > 0 && key < 256) {
        const bool repeat = !HeldKeys().insert(key).second;
        PanelInput(panel, repeat ? EventKeyRepeat : EventKeyDown, key, mods, 0, 0);
    }
    const guint32 character = gdk_keyval_to_unicode(event->keyval);
    if (character != 0) PanelInput(panel, EventKeyChar, static_cast<int32_t>(character), 0, 0, 0);
    return TRUE;
}

gboolean OnButton(GtkWidget* widget, GdkEventButton* event, gpointer data) {
    const int32_t button = Button(event->button);
    if (button == 0 || event->type == GDK_2BUTTON_PRESS || event->type == GDK_3BUTTON_PRESS) return FALSE;
    if (event->type == GDK_BUTTON_PRESS) gtk_widget_grab_focus(widget);
    PanelInput(*static_cast<TGadget*>(data), event->type == GDK_BUTTON_PRESS ? EventMouseDown : EventMouseUp, button,
               Mods(event->state), static_cast<int32_t>(event->x), static_cast<int32_t>(event->y));
    return TRUE;
}

gboolean OnMotion(GtkWidget*, GdkEventMotion* event, gpointer data) {
    const int32_t held = MouseMoveData({(event->state & GDK_BUTTON1_MASK) != 0, (event->state & GDK_BUTTON3_MASK) != 0,
                                        (event->state & GDK_BUTTON2_MASK) != 0});
    PanelInput(*static_cast<TGadget*>(data), EventMouseMove, held, Mods(event->state), static_cast<int32_t>(event->x),
               static_cast<int32_t>(event->y));
    return TRUE;
}

gboolean OnScroll(GtkWidget*, GdkEventScroll* event, gpointer data) {
    int32_t steps = 0;
    if (event->direction == GDK_SCROLL_UP)
        steps = 1;
    else if (event->direction == GDK_SCROLL_DOWN)
        steps = -1;
    if (steps != 0) PanelInput(*static_cast<TGadget*>(data), EventMouseWheel, steps, Mods(event->state), 0, 0);
    return TRUE;
}

gboolean OnCrossing(GtkWidget*, GdkEventCrossing* event, gpointer data) {
    PanelInput(*static_cast<TGadget*>(data), event->type == GDK_ENTER_NOTIFY ? EventMouseEnter : EventMouseLeave, 0, 0,
               static_cast<int32_t>(event->x), static_cast<int32_t>(event->y));
    return FALSE;
}

} // namespace

void ConnectPanelInput(GtkWidget* widget, TGadget& gadget) {
    gtk_widget_add_events(widget, GDK_KEY_PRESS_MASK | GDK_KEY_RELEASE_MASK | GDK_BUTTON_PRESS_MASK |
                                      GDK_BUTTON_RELEASE_MASK | GDK_POINTER_MOTION_MASK | GDK_SCROLL_MASK |
                                      GDK_ENTER_NOTIFY_MASK | GDK_LEAVE_NOTIFY_MASK);
    gtk_widget_set_can_focus(widget, TRUE);
    gpointer data = &gadget;
    g_signal_connect(widget, "key-press-event", G_CALLBACK(OnKey), data);
    g_signal_connect(widget, "key-release-event", G_CALLBACK(OnKey), data);
    g_signal_connect(widget, "button-press-event", G_CALLBACK(OnButton), data);
    g_signal_connect(widget, "button-release-event", G_CALLBACK(OnButton), data);
    g_signal_connect(widget, "motion-notify-event", G_CALLBACK(OnMotion), data);
    g_signal_connect(widget, "scroll-event", G_CALLBACK(OnScroll), data);
    g_signal_connect(widget, "enter-notify-event", G_CALLBACK(OnCrossing), data);
    g_signal_connect(widget, "leave-notify-event", G_CALLBACK(OnCrossing), data);
}
