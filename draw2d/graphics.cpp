// The display layer's state: the driver, the current and the opened display, pacing, and the
// display sequence.
#include "draw2d/graphics.h"

#include "draw2d/display_sequence.h"
#include "draw2d/draw_context.h"
#include "draw2d/frame_pacing.h"
#include "draw2d/polled_input.h"

#include "runtime/clock.h"

#include <cstdlib>

namespace {

struct Layer {
    DrawDriverPtr driver;
    int32_t defaultFlags = 0;
    GraphicsPtr current;
    GraphicsPtr opened;
    FramePacing pacing;
    bool exitHandlerInstalled = false;
};

// Never destroyed: displays hold host resources (windows, X connections, GL contexts) whose own
// process-wide owners may already be gone when static objects are destroyed at exit. CloseDisplay
// still closes the opened display at exit; the system reclaims the rest.
Layer& TheLayer() {
    static Layer& layer = *new Layer;
    return layer;
}

// Switches to another driver: a display current on the old one is deselected, and every image
// texture is stale.
void SwitchDriver(Layer& layer, DrawDriverPtr driver) {
    if (driver == layer.driver) return;
    FlushDrawing();
    if (layer.current && layer.driver) layer.driver->SelectDisplay(nullptr);
    layer.current.reset();
    layer.driver = std::move(driver);
    // Textures made by the old driver mean nothing to the new one: images must make them again.
    AdvanceDisplaySequence();
}

void CloseDisplayAtExit() {
    CloseDisplay();
}

} // namespace

TGraphics::TGraphics(DrawDriverPtr driver, std::unique_ptr<DriverDisplay> display, int32_t width, int32_t height,
                     int32_t depth, int32_t hertz, int32_t flags, bool attached)
    : driver_(std::move(driver)), display_(std::move(display)), width_(width), height_(height), depth_(depth),
      hertz_(hertz), flags_(flags), attached_(attached), context_(std::make_unique<TDrawContext>()) {}

TGraphics::~TGraphics() = default;

int32_t TGraphics::Width() const {
    return attached_ && display_ ? display_->Width() : width_;
}
int32_t TGraphics::Height() const {
    return attached_ && display_ ? display_->Height() : height_;
}

void SelectDriver(DrawDriverPtr driver, int32_t defaultFlags) {
    Layer& layer = TheLayer();
    SwitchDriver(layer, std::move(driver));
    layer.defaultFlags = defaultFlags;
}

const DrawDriverPtr& CurrentDriver() {
    return TheLayer().driver;
}

int32_t CountDisplayModes() {
    const DrawDriverPtr& driver = TheLayer().driver;
    return driver ? static_cast<int32_t>(driver->DisplayModes().size()) : 0;
}

TGraphicsMode GetDisplayMode(int32_t index) {
    const DrawDriverPtr& driver = TheLayer().driver;
    if (!driver || index < 0) return {};
    const std::vector<TGraphicsMode> modes = driver->DisplayModes();
    return static_cast<size_t>(index) < modes.size() ? modes[static_cast<size_t>(index)] : TGraphicsMode{};
}

GraphicsPtr OpenDisplay(int32_t width, int32_t height, int32_t depth, int32_t hertz, int32_t flags) {
    Layer& layer = TheLayer();
    CloseDisplay();
    if (!layer.driver) return nullptr;
    const int32_t allFlags = flags | layer.defaultFlags;
    std::unique_ptr<DriverDisplay> display;
    try {
        display = layer.driver->CreateDisplay(width, height, depth, hertz, allFlags);
    } catch (const DrawError&) {
        return nullptr;
    }
    if (!display) return nullptr;
    auto graphics =
        std::make_shared<TGraphics>(layer.driver, std::move(display), width, height, depth, hertz, allFlags, false);
    AdvanceDisplaySequence();
    SelectDisplay(graphics);
    TDrawDriver& driver = *layer.driver;
    if (driver.PresentsPaced())
        layer.pacing = FramePacing{};
    else
        StartPacing(layer.pacing, hertz, depth, driver.CanSyncToVerticalBlank(), [&driver] { driver.Flip(1); });
    layer.opened = graphics;
    EnablePolledInput(nullptr);
    if (depth != 0) MovePointer(width / 2, height / 2);
    if (!layer.exitHandlerInstalled) {
        layer.exitHandlerInstalled = true;
        std::atexit(CloseDisplayAtExit);
    }
    return graphics;
}

void CloseDisplay() {
    Layer& layer = TheLayer();
    if (!layer.opened) return;
    AdvanceDisplaySequence();
    DisablePolledInput();
    if (layer.current == layer.opened) SelectDisplay(nullptr);
    layer.opened.reset();
}

GraphicsPtr AttachDisplay(uint64_t window, int32_t flags) {
    Layer& layer = TheLayer();
    if (!layer.driver) return nullptr;
    const int32_t allFlags = flags | layer.defaultFlags;
    std::unique_ptr<DriverDisplay> display;
    try {
        display = layer.driver->AttachDisplay(window, allFlags);
    } catch (const DrawError&) {
        return nullptr;
    }
    if (!display) return nullptr;
    return std::make_shared<TGraphics>(layer.driver, std::move(display), 0, 0, 0, 0, allFlags, true);
}

void SelectDisplay(const GraphicsPtr& graphics) {
    Layer& layer = TheLayer();
    FlushDrawing();
    if (!graphics) {
        if (layer.driver) layer.driver->SelectDisplay(nullptr);
        layer.current.reset();
        return;
    }
    SwitchDriver(layer, graphics->Driver());
    graphics->Driver()->SelectDisplay(graphics->Display());
    layer.current = graphics;
    if (!graphics->Context().initialised) InitialiseDrawContext(*graphics);
}

const GraphicsPtr& CurrentDisplay() {
    return TheLayer().current;
}

int32_t DisplayWidth() {
    const GraphicsPtr& g = TheLayer().current;
    return g ? g->Width() : 0;
}
int32_t DisplayHeight() {
    const GraphicsPtr& g = TheLayer().current;
    return g ? g->Height() : 0;
}
int32_t DisplayDepth() {
    const GraphicsPtr& g = TheLayer().current;
    return g ? g->Depth() : 0;
}
int32_t DisplayHertz() {
    const GraphicsPtr& g = TheLayer().current;
    return g ? g->Hertz() : 0;
}

void Flip(int32_t sync) {
    Layer& layer = TheLayer();
    const GraphicsPtr& graphics = layer.current;
    if (!graphics) return;
    FlushDrawing();
    TDrawDriver& driver = *graphics->Driver();
    if (sync != -1) {
        driver.Flip(sync);
        return;
    }
    if (graphics != layer.opened || !layer.pacing.softPacing) {
        driver.Flip(graphics->Depth() != 0 ? 1 : 0);
        return;
    }
    SleepMilliseconds(NextFrameWait(layer.pacing));
    driver.Flip(0);
}

void HidePointer() {
    if (const DrawDriverPtr& driver = TheLayer().driver) driver->SetPointerVisible(false);
}
void ShowPointer() {
    if (const DrawDriverPtr& driver = TheLayer().driver) driver->SetPointerVisible(true);
}
void MovePointer(int32_t x, int32_t y) {
    if (const DrawDriverPtr& driver = TheLayer().driver) driver->MovePointer(x, y);
}
