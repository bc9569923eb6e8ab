// Software frames of a canvas kept in a cairo image surface and painted by its drawing area.
#include "gui/gtk/gtk_canvas_frame.h"

#include <algorithm>
#include <cstring>

struct CairoSurfaceEnd {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};

// What the canvas and its presenters share; the area is null once the canvas is gone.
struct GtkCanvasFrame::Picture {
    GtkWidget* area = nullptr;
    std::unique_ptr<cairo_surface_t, CairoSurfaceEnd> surface;
};

namespace {

class CanvasPresenter : public SoftPresenter {
public:
    explicit CanvasPresenter(std::shared_ptr<GtkCanvasFrame::Picture> picture) : picture_(std::move(picture)) {}

    // The size the host asked for: every shape change reaches the area as a size request, and
    // GtkFixed gives its kids exactly that, also before the area is first allocated.
    int32_t Width() const override { return Requested().first; }
    int32_t Height() const override { return Requested().second; }
    bool Lost() const override { return picture_->area == nullptr; }

    void Present(const uint32_t* pixels, int32_t width, int32_t height, int32_t pitch) override {
        if (!picture_->area || width <= 0 || height <= 0) return;
        cairo_surface_t* surface = Surface(width, height);
        if (!surface) return;
        cairo_surface_flush(surface);
        // RGB24 is 0x00RRGGBB in native byte order: the driver's 0xAARRGGBB rows as they are, the
        // top byte ignored, so a frame shows opaque as it does in an X window.
        unsigned char* rows = cairo_image_surface_get_data(surface);
        const int stride = cairo_image_surface_get_stride(surface);
        for (int32_t y = 0; y < height; ++y)
            std::memcpy(rows + static_cast<size_t>(y) * static_cast<size_t>(stride),
                        pixels + static_cast<size_t>(y) * static_cast<size_t>(pitch),
                        static_cast<size_t>(width) * sizeof(uint32_t));
        cairo_surface_mark_dirty(surface);
        gtk_widget_queue_draw(picture_->area);
    }

private:
    std::pair<int32_t, int32_t> Requested() const {
        gint width = 0, height = 0;
        if (picture_->area) gtk_widget_get_size_request(picture_->area, &width, &height);
        return {std::max(width, 0), std::max(height, 0)};
    }

    // A surface holding exactly width x height pixels, made anew when the frame's size changes;
    // null when cairo cannot make one.
    cairo_surface_t* Surface(int32_t width, int32_t height) {
        cairo_surface_t* surface = picture_->surface.get();
        if (surface && cairo_image_surface_get_width(surface) == width &&
            cairo_image_surface_get_height(surface) == height)
            return surface;
        picture_->surface.reset(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
        if (cairo_surface_status(picture_->surface.get()) != CAIRO_STATUS_SUCCESS) {
            picture_->surface.reset();
            return nullptr;
        }
        return picture_->surface.get();
    }

    std::shared_ptr<GtkCanvasFrame::Picture> picture_;
};

} // namespace

GtkCanvasFrame::GtkCanvasFrame(GtkWidget* area)
    : picture_(std::make_shared<Picture>()),
      registration_([picture = picture_] { return std::make_unique<CanvasPresenter>(picture); }) {
    picture_->area = area;
}

GtkCanvasFrame::~GtkCanvasFrame() {
    picture_->area = nullptr;
}

void GtkCanvasFrame::Paint(cairo_t* cr) const {
    if (!picture_->surface) return;
    cairo_set_source_surface(cr, picture_->surface.get(), 0, 0);
    cairo_paint(cr);
}
