// Displays: choosing the driver, opening, attaching and selecting displays, presenting frames
// with pacing, the display sequence, and the pointer.
//
// The layer holds one current driver and one current display; drawing (draw_context.h) always
// goes to the current display. OpenDisplay's display is closed by CloseDisplay, and at exit;
// attached displays belong to whoever attached them.
#pragma once

#include "draw2d/draw_driver.h"

#include <cstdint>
#include <memory>

struct TDrawContext;

// One display and its drawing state.
class TGraphics {
public:
    TGraphics(DrawDriverPtr driver, std::unique_ptr<DriverDisplay> display, int32_t width, int32_t height,
              int32_t depth, int32_t hertz, int32_t flags, bool attached);
    ~TGraphics();
    TGraphics(const TGraphics&) = delete;
    TGraphics& operator=(const TGraphics&) = delete;

    // Attached displays report the window's client size at the moment of asking.
    int32_t Width() const;
    int32_t Height() const;
    int32_t Depth() const { return depth_; }
    int32_t Hertz() const { return hertz_; }
    int32_t Flags() const { return flags_; }
    bool Attached() const { return attached_; }
    // The window this display draws into is gone.
    bool Lost() const { return display_ && display_->Lost(); }

    const DrawDriverPtr& Driver() const { return driver_; }
    DriverDisplay* Display() const { return display_.get(); }
    TDrawContext& Context() { return *context_; }

private:
    DrawDriverPtr driver_;
    std::unique_ptr<DriverDisplay> display_;
    int32_t width_, height_, depth_, hertz_, flags_;
    bool attached_;
    std::unique_ptr<TDrawContext> context_;
};
using GraphicsPtr = std::shared_ptr<TGraphics>;

constexpr int32_t BackBufferFlag = 2;

// Makes driver current with default flags (OR-ed into every OpenDisplay); a display current on
// the old driver is deselected.
void SelectDriver(DrawDriverPtr driver, int32_t defaultFlags);
const DrawDriverPtr& CurrentDriver();

int32_t CountDisplayModes();
// Mode index of the current driver's list; all zero for an index outside it.
TGraphicsMode GetDisplayMode(int32_t index);

// Closes the open display, then opens a full-screen display (depth > 0) or a window (depth 0),
// selects it and sets up pacing. Null when the driver cannot make it.
GraphicsPtr OpenDisplay(int32_t width, int32_t height, int32_t depth, int32_t hertz, int32_t flags);
void CloseDisplay();
// A display drawing into an existing host window (a canvas); null when that fails.
GraphicsPtr AttachDisplay(uint64_t window, int32_t flags);
// Makes the display current for drawing and presenting (null: none). The first selection of a
// display resets its drawing state and clears and presents twice.
void SelectDisplay(const GraphicsPtr& graphics);
const GraphicsPtr& CurrentDisplay();

int32_t DisplayWidth();
int32_t DisplayHeight();
int32_t DisplayDepth();
int32_t DisplayHertz();

// Presents the current display. sync -1 paces: vertical blank where the display keeps time,
// else the clock; an attached display presents at once.
void Flip(int32_t sync);

void HidePointer();
void ShowPointer();
void MovePointer(int32_t x, int32_t y);
