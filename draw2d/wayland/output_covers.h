// The overlay that covers every output while the show runs: a layer surface on the overlay layer
// of each output, anchored to its four edges, taking the keyboard, its buffers in the output's
// own pixels (the output's integer scale, or the fractional scale with a viewport where the
// compositor offers them), so a scaled output is drawn sharp.
//
// A frame shows each output's rectangle of the display's pixels (the layout of
// gui/wayland/wayland_connection.h). An output is drawn only when the compositor has asked for a
// frame there (its frame callback came back): a hidden or switched-off output asks for none and
// costs nothing. Covers come for the outputs there are when the overlay is (re)shown and go with
// their outputs; a surface the compositor closes while its output stays ends the show.
//
// What fills the surfaces is the presenting path's business (shm_present.h: shared-memory buffers;
// the OpenGL driver's EGL windows): each keeps its own CoverContent on every cover.
#pragma once

#include "draw2d/draw_driver.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

struct wl_surface;
struct WaylandOutput;
struct OutputCover;

// What a presenting path keeps on a cover (its buffers, its EGL window). It goes with the cover,
// before the cover's surface.
class CoverContent {
public:
    virtual ~CoverContent() = default;
};

// One output's cover as a presenting path sees it during VisitWaylandCovers.
class CoverFrame {
public:
    CoverFrame(OutputCover& cover, const WaylandOutput& output) : cover_(cover), output_(output) {}
    wl_surface* Surface() const;
    const WaylandOutput& Output() const { return output_; }
    // The size of a buffer that shows the output pixel for pixel: the configured surface size in
    // the output's pixels (its integer scale, or its fractional scale where there is a viewport).
    int32_t BufferWidth() const;
    int32_t BufferHeight() const;
    // Whether the output asks for a frame now (configured, not closed, its frame callback back).
    bool Ready() const;
    // The presenting path's content on this cover; null until it puts one there.
    std::unique_ptr<CoverContent>& Content();
    // For the coming commit of a buffer of BufferWidth() x BufferHeight(): the buffer scale (or
    // viewport) that shows it at the output's pixels, where the seat finds the surface, and the
    // next frame asked for.
    void PrepareBuffer();
    // Asks the compositor to say when the output wants its next frame (with the coming commit).
    void AskForFrame();

private:
    OutputCover& cover_;
    const WaylandOutput& output_;
};

// Covers every output that has none yet, waiting (briefly) until the compositor has sized them;
// drops the covers of outputs that are gone. False when there is no connection or layer shell.
bool CoverWaylandOutputs();

// Whether the output (by its registry name) has a cover now.
bool WaylandOutputCovered(uint32_t outputName);

// Waits until some output asks for a frame, at most `limitMs`, handling the compositor's events.
void WaitForWaylandFrame(int32_t limitMs);
// Handles the compositor's events that have arrived, drops the covers of outputs that are gone,
// calls `visit` for every cover left, then sends what the visits asked for. Does nothing without a
// connection or once it is lost.
void VisitWaylandCovers(const std::function<void(CoverFrame&)>& visit);
// Drops every cover's content (a presenting path that ends releases what it put there).
void DropWaylandCoverContents();

// True while there are covers and none has asked for a frame for a while: the compositor hides
// them (outputs off or covered), and the show need not draw.
bool WaylandOutputsHidden();

// The outputs' sizes and refresh rates as display modes.
std::vector<TGraphicsMode> WaylandOutputModes();
