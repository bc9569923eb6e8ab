// The driver interface: what a drawing driver does for the layer. The drawing state machine lives
// once, above the drivers; a driver makes displays and textures, draws runs of quads with a state
// handed to it, clears, presents and reads back.
#pragma once

#include "draw2d/blend_mode.h"
#include "draw2d/image.h"
#include "draw2d/pixmap.h"
#include "draw2d/texture_prep.h"

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// One display mode of the screen.
struct TGraphicsMode {
    int32_t width = 0;
    int32_t height = 0;
    int32_t depth = 0;
    int32_t hertz = 0;
};

// A failure to build a display or surface, carrying the message text (such as
// "SetDisplayMode Failed result=" and a code). OpenDisplay turns it into a null result.
class DrawError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A pixel rectangle, half-open: [left, right) x [top, bottom).
struct DrawRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// A corner of a quad: drawing coordinates (pixels, y down) and texture coordinates.
struct QuadVertex {
    float x = 0, y = 0, u = 0, v = 0;
};
// A triangle fan 0-1-2-3.
struct DrawQuad {
    QuadVertex v[4];
};

// The state a run of quads is drawn with.
struct QuadState {
    int32_t blend = BlendSolid;
    uint32_t color = 0xFFFFFFFF; // 0xAARRGGBB, modulates texels (or is the colour of untextured quads)
    bool filtered = false;       // linear sampling of the texture (with nearest mip selection)
    DrawRect clip;               // pixels outside are never written

    bool operator==(const QuadState& o) const {
        return blend == o.blend && color == o.color && filtered == o.filtered && clip.left == o.clip.left &&
               clip.top == o.clip.top && clip.right == o.clip.right && clip.bottom == o.clip.bottom;
    }
    bool operator!=(const QuadState& o) const { return !(*this == o); }
};

// A display as a driver made it: full screen, an own window, or attached to a window.
class DriverDisplay {
public:
    virtual ~DriverDisplay() = default;
    // The drawing area now: for an attached display the window's current client size.
    virtual int32_t Width() const = 0;
    virtual int32_t Height() const = 0;
    // True once the window it draws into is gone (a foreign window destroyed by its owner).
    virtual bool Lost() const { return false; }
};

class TDrawDriver {
public:
    virtual ~TDrawDriver() = default;
    virtual const char* Name() const = 0;

    // The screen's display modes, in the order the system reports them.
    virtual std::vector<TGraphicsMode> DisplayModes() = 0;
    // A full-screen display (depth > 0) or an own window (depth 0). Throws DrawError on failure.
    virtual std::unique_ptr<DriverDisplay> CreateDisplay(int32_t width, int32_t height, int32_t depth, int32_t hertz,
                                                         int32_t flags) = 0;
    // A display drawing into an existing window of the host, by its id. Null on failure.
    virtual std::unique_ptr<DriverDisplay> AttachDisplay(uint64_t window, int32_t flags) = 0;
    // Binds the driver to the display (null: to none). Binding resets the driver's own record of
    // the device state.
    virtual void SelectDisplay(DriverDisplay* display) = 0;
    // Whether Flip(1) waits for the vertical blank on this driver's displays.
    virtual bool CanSyncToVerticalBlank() const = 0;
    // Whether Flip(1) waits until the window system asks for the next frame (a compositor's frame
    // callbacks): such a display's frames need neither calibration nor a clock.
    virtual bool PresentsPaced() const { return false; }

    virtual std::shared_ptr<DriverTexture> MakeTexture(const PreparedTexture& texture, int32_t flags) = 0;
    // Draws quads in order with one state; texture null draws them untextured in the state's colour.
    virtual void DrawQuads(const DriverTexture* texture, const QuadState& state, const DrawQuad* quads,
                           size_t count) = 0;
    virtual void Clear(const DrawRect& rect, uint32_t color) = 0;
    // Presents the back buffer of the selected display: sync 0 at once, 1..4 on that many vertical
    // blanks where the display can wait for them.
    virtual void Flip(int32_t sync) = 0;
    // The rectangle of the back buffer as a new FormatBGR888 pixmap; null when there is no display.
    virtual PixmapPtr GrabBackBuffer(int32_t x, int32_t y, int32_t width, int32_t height) = 0;

    virtual void SetPointerVisible(bool /*visible*/) {}
    virtual void MovePointer(int32_t /*x*/, int32_t /*y*/) {}
};
using DrawDriverPtr = std::shared_ptr<TDrawDriver>;
