// The GTK host's style sheet and the insets measured on an offscreen window.
#include "gui/gtk/gtk_look.h"

namespace {

// Adwaita's minimum sizes would make controls larger than asked; tabs and arrows are kept compact.
// Gadget sizes are laid out for a small dialog font: 8 points, narrow where the font has a narrow face.
constexpr const char* kStyleSheet = R"css(
window { font-size: 8pt; font-stretch: condensed; }
button, combobox button { min-height: 0; min-width: 0; padding: 0 6px; }
notebook > header > tabs > tab { min-height: 0; min-width: 0; padding: 3px 10px; }
button.capsaro-arrow { padding: 0; min-width: 0; min-height: 0; border-radius: 0; }
scrollbar slider { min-width: 6px; min-height: 6px; }
checkbutton, radiobutton { padding: 0; min-height: 0; }
checkbutton check, radiobutton radio { min-width: 12px; min-height: 12px; margin: 0 4px 0 0; }
spinbutton, spinbutton entry, spinbutton button { min-height: 0; min-width: 0; padding: 0 2px; }
)css";

// Lays out `container` holding `child` on an offscreen window and reads where the child landed.
ChildInsets Measure(GtkWidget* container, GtkWidget* child) {
    GtkWidget* window = gtk_offscreen_window_new();
    gtk_widget_set_size_request(child, 100, 100);
    gtk_container_add(GTK_CONTAINER(window), container);
    gtk_widget_show_all(window);
    GtkAllocation outer{};
    GtkAllocation inner{};
    gtk_widget_get_allocation(container, &outer);
    gtk_widget_get_allocation(child, &inner);
    gtk_widget_destroy(window);
    ChildInsets insets;
    insets.left = inner.x - outer.x;
    insets.top = inner.y - outer.y;
    insets.right = outer.x + outer.width - inner.x - inner.width;
    insets.bottom = outer.y + outer.height - inner.y - inner.height;
    return insets;
}

} // namespace

void InstallGadgetLook() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    GtkCssProvider* provider = gtk_css_provider_new();
    gtk_css_provider_load_from_data(provider, kStyleSheet, -1, nullptr);
    gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(provider),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(provider);
    // A trough click moves one page (instead of jumping to the pointer); no animations in between.
    g_object_set(gtk_settings_get_default(), "gtk-primary-button-warps-slider", FALSE, "gtk-enable-animations", FALSE,
                 nullptr);
}

const ChildInsets& NotebookInsets() {
    static const ChildInsets insets = [] {
        GtkWidget* notebook = gtk_notebook_new();
        GtkWidget* page = gtk_fixed_new();
        gtk_notebook_append_page(GTK_NOTEBOOK(notebook), page, gtk_label_new("Ag"));
        return Measure(notebook, page);
    }();
    return insets;
}

const ChildInsets& FrameInsets(bool captioned) {
    static const ChildInsets withCaption = [] {
        GtkWidget* frame = gtk_frame_new("Ag");
        GtkWidget* child = gtk_fixed_new();
        gtk_container_add(GTK_CONTAINER(frame), child);
        return Measure(frame, child);
    }();
    static const ChildInsets sunken = [] {
        GtkWidget* frame = gtk_frame_new(nullptr);
        gtk_frame_set_shadow_type(GTK_FRAME(frame), GTK_SHADOW_IN);
        GtkWidget* child = gtk_fixed_new();
        gtk_container_add(GTK_CONTAINER(frame), child);
        return Measure(frame, child);
    }();
    return captioned ? withCaption : sunken;
}
