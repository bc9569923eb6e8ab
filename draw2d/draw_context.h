// The drawing state of a display and the operations that draw with it: colour, alpha, blend,
// rotation and scale, origin and handle, viewport and font; clearing, images and text.
//
// Every call acts on the current display (graphics.h); without one the calls do nothing and the
// getters return the values of an unselected context. Consecutive draws that share texture and
// state reach the driver as one run of quads.
#pragma once

#include "draw2d/blend_mode.h"
#include "draw2d/image.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TGraphics;

// One glyph of a bitmap font.
struct TGlyph {
    ImagePtr image; // null for a glyph that draws nothing
    float advance = 0;
    float offsetX = 0, offsetY = 0;
    int32_t width = 0, height = 0;
};

class TBitmapFont {
public:
    // Glyph of a character code, or null when the font has none (then it neither draws nor advances).
    virtual const TGlyph* Glyph(uint32_t character) const = 0;
    virtual int32_t Height() const = 0;
    virtual ~TBitmapFont() = default;
};
using FontPtr = std::shared_ptr<TBitmapFont>;

// The 8 x 16 console font for characters 32..127, built at the first use.
const FontPtr& BuiltInFont();

// The per-display state, in the values the application set (unclamped).
struct TDrawContext {
    int32_t colorR = 255, colorG = 255, colorB = 255;
    float alpha = 1;
    int32_t clearR = 0, clearG = 0, clearB = 0;
    float lineWidth = 1;
    float rotation = 0;
    float scaleX = 1, scaleY = 1;
    float ix = 1, iy = 0, jx = 0, jy = 1;
    int32_t viewportX = 0, viewportY = 0, viewportW = 0, viewportH = 0;
    float originX = 0, originY = 0;
    float handleX = 0, handleY = 0; // stored negated
    FontPtr font;
    int32_t blend = BlendMask;
    bool initialised = false;
    // The viewport is not the whole display, so drawing is clipped to it.
    bool clipping = false;
};

void SetColor(int32_t r, int32_t g, int32_t b);
void GetColor(int32_t& r, int32_t& g, int32_t& b);
void SetAlpha(float alpha);
float GetAlpha();
void SetBlend(int32_t mode);
int32_t GetBlend();
void SetClearColor(int32_t r, int32_t g, int32_t b);
void GetClearColor(int32_t& r, int32_t& g, int32_t& b);
void SetRotation(float degrees);
float GetRotation();
void SetScale(float scaleX, float scaleY);
void GetScale(float& scaleX, float& scaleY);
void SetTransform(float degrees, float scaleX, float scaleY);
// The 2 x 2 transform derived from rotation and scale.
void GetTransform(float& ix, float& iy, float& jx, float& jy);
void SetOrigin(float x, float y);
void GetOrigin(float& x, float& y);
// Stores -x, -y; GetHandle gives back x, y.
void SetHandle(float x, float y);
void GetHandle(float& x, float& y);
void SetViewport(int32_t x, int32_t y, int32_t width, int32_t height);
void GetViewport(int32_t& x, int32_t& y, int32_t& width, int32_t& height);
void SetLineWidth(float width);
float GetLineWidth();
// Null selects BuiltInFont.
void SetFont(const FontPtr& font);
FontPtr GetFont();

// Fills the viewport rectangle of the back buffer with the clear colour.
void ClearBackBuffer();
// Draws one frame of an image at (x, y) about its own handle, with the current state. A null
// image or a missing frame draws nothing.
void DrawImage(const ImagePtr& image, float x, float y, int32_t frame = 0);
void DrawText(const std::string& text, float x, float y);
int32_t TextWidth(const std::string& text);
int32_t TextHeight();

// The rectangle of the current back buffer as a new FormatBGR888 pixmap (null without a display).
PixmapPtr GrabBackBuffer(int32_t x, int32_t y, int32_t width, int32_t height);

// Used by the display code: sends the pending run of quads to the driver.
void FlushDrawing();
// Used by the display code on a display's first selection: the state's first values, then
// clear, flip, clear, flip.
void InitialiseDrawContext(TGraphics& graphics);
