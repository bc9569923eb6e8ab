// A canvas's picture where GTK gives child widgets no window id of their own (the Wayland
// backend): the canvas is registered as a software canvas, the software driver's frames are kept
// in a cairo image surface, and the canvas's drawing area paints the last one.
#pragma once

#include "draw2d/soft/soft_canvas.h"

#include <gtk/gtk.h>

#include <cstdint>
#include <memory>

class GtkCanvasFrame {
public:
    // Registers `area` (held by the caller, which outlives this object) as a software canvas.
    explicit GtkCanvasFrame(GtkWidget* area);
    // Ends the registration; presenters made earlier report Lost and show nothing more.
    ~GtkCanvasFrame();
    GtkCanvasFrame(const GtkCanvasFrame&) = delete;
    GtkCanvasFrame& operator=(const GtkCanvasFrame&) = delete;

    // The id that AttachDisplay takes for this canvas.
    uint64_t Id() const { return registration_.Id(); }
    // Paints the last frame presented at the area's top-left; nothing before the first.
    void Paint(cairo_t* cr) const;

    struct Picture;

private:
    std::shared_ptr<Picture> picture_;
    SoftCanvasRegistration registration_;
};
