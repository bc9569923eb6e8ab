// The drawing state machine: setters and getters of the current display's state, and images,
// text and clears turned into runs of quads for the driver.
//
// Sections: current context; the pending run; state; clearing; images; text; read-back; start.
#include "draw2d/draw_context.h"

#include "draw2d/graphics.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// ---- Current context ----------------------------------------------------------------------

// The state seen while no display is current: setters store into it and nothing is drawn.
TDrawContext detachedContext;

TDrawContext& Context() {
    const GraphicsPtr& graphics = CurrentDisplay();
    return graphics ? graphics->Context() : detachedContext;
}

int32_t Clamp255(int32_t value) {
    return std::min(std::max(value, 0), 255);
}

// The driver's colour: alpha byte from the alpha, colour bytes from the colour, each clamped.
uint32_t DriverColor(const TDrawContext& context) {
    const float alpha = std::max(std::min(context.alpha, 1.0f), 0.0f);
    const auto a = static_cast<uint32_t>(alpha * 255.0f);
    return a << 24 | static_cast<uint32_t>(Clamp255(context.colorR)) << 16 |
           static_cast<uint32_t>(Clamp255(context.colorG)) << 8 | static_cast<uint32_t>(Clamp255(context.colorB));
}

// The rectangle drawing is clipped to: the viewport, or everything when the viewport is the
// whole display (clipping off).
DrawRect ClipRect(const TDrawContext& context, bool clipping) {
    if (!clipping) {
        constexpr int32_t kFar = std::numeric_limits<int32_t>::max() / 2;
        return {-kFar, -kFar, kFar, kFar};
    }
    return {context.viewportX, context.viewportY, context.viewportX + context.viewportW,
            context.viewportY + context.viewportH};
}

// Whether the current display clips to its viewport; kept beside the context per display.
bool& Clipping() {
    static bool detachedClipping = false;
    const GraphicsPtr& graphics = CurrentDisplay();
    return graphics ? graphics->Context().clipping : detachedClipping;
}

// ---- The pending run ----------------------------------------------------------------------

struct PendingRun {
    TGraphics* graphics = nullptr;
    std::shared_ptr<DriverTexture> texture; // null for untextured quads
    QuadState state;
    std::vector<DrawQuad> quads;
};
PendingRun run;

void AddQuad(TGraphics& graphics, const std::shared_ptr<DriverTexture>& texture, const QuadState& state,
             const DrawQuad& quad) {
    if (run.graphics != &graphics || run.texture != texture || run.state != state) {
        FlushDrawing();
        run.graphics = &graphics;
        run.texture = texture;
        run.state = state;
    }
    run.quads.push_back(quad);
}

QuadState CurrentQuadState(const TDrawContext& context, bool filtered) {
    QuadState state;
    state.blend = context.blend;
    state.color = DriverColor(context);
    state.filtered = filtered;
    state.clip = ClipRect(context, Clipping());
    return state;
}

// The quad of a local box (x0, y0)-(x1, y1) placed at (tx, ty) through the transform.
DrawQuad TransformedQuad(const TDrawContext& c, float tx, float ty, float x0, float y0, float x1, float y1, float uMax,
                         float vMax) {
    const auto corner = [&](float lx, float ly, float u, float v) {
        return QuadVertex{tx + lx * c.ix + ly * c.iy, ty + lx * c.jx + ly * c.jy, u, v};
    };
    return DrawQuad{
        {corner(x0, y0, 0, 0), corner(x1, y0, uMax, 0), corner(x1, y1, uMax, vMax), corner(x0, y1, 0, vMax)}};
}

// Draws frame of image with the local box (x0, y0)-(x0 + w, y0 + h) at (tx, ty).
void DrawFrame(TImage& image, int32_t frame, float tx, float ty, float x0, float y0) {
    const GraphicsPtr& graphics = CurrentDisplay();
    if (!graphics || graphics->Lost()) return;
    TDrawDriver& driver = *graphics->Driver();
    const TextureMaker make = [&driver](const TPixmap& pixmap, int32_t flags) {
        return driver.MakeTexture(PrepareTexture(pixmap, flags), flags);
    };
    if (!ImageFrameTexture(image, frame, make)) return;
    const std::shared_ptr<DriverTexture>& texture = image.frames[static_cast<size_t>(frame)].texture;
    const TDrawContext& context = graphics->Context();
    const auto w = static_cast<float>(image.width);
    const auto h = static_cast<float>(image.height);
    const float uMax = w / static_cast<float>(TextureSize(image.width));
    const float vMax = h / static_cast<float>(TextureSize(image.height));
    AddQuad(*graphics, texture, CurrentQuadState(context, (image.flags & ImageFiltered) != 0),
            TransformedQuad(context, tx, ty, x0, y0, x0 + w, y0 + h, uMax, vMax));
}

void UpdateTransform(TDrawContext& c) {
    const double radians = static_cast<double>(c.rotation) * 0.017453292519943295;
    const double s = std::sin(radians);
    const double co = std::cos(radians);
    c.ix = static_cast<float>(co * c.scaleX);
    c.iy = static_cast<float>(-s * c.scaleY);
    c.jx = static_cast<float>(s * c.scaleX);
    c.jy = static_cast<float>(co * c.scaleY);
}

} // namespace

void FlushDrawing() {
    if (!run.quads.empty() && run.graphics) {
        run.graphics->Driver()->DrawQuads(run.texture.get(), run.state, run.quads.data(), run.quads.size());
    }
    run.quads.clear();
    run.texture.reset();
    run.graphics = nullptr;
}

// ---- State --------------------------------------------------------------------------------

void SetColor(int32_t r, int32_t g, int32_t b) {
    TDrawContext& c = Context();
    c.colorR = r, c.colorG = g, c.colorB = b;
}
void GetColor(int32_t& r, int32_t& g, int32_t& b) {
    const TDrawContext& c = Context();
    r = c.colorR, g = c.colorG, b = c.colorB;
}
void SetAlpha(float alpha) {
    Context().alpha = alpha;
}
float GetAlpha() {
    return Context().alpha;
}
void SetBlend(int32_t mode) {
    Context().blend = mode;
}
int32_t GetBlend() {
    return Context().blend;
}
void SetClearColor(int32_t r, int32_t g, int32_t b) {
    TDrawContext& c = Context();
    c.clearR = r, c.clearG = g, c.clearB = b;
}
void GetClearColor(int32_t& r, int32_t& g, int32_t& b) {
    const TDrawContext& c = Context();
    r = c.clearR, g = c.clearG, b = c.clearB;
}
void SetRotation(float degrees) {
    TDrawContext& c = Context();
    c.rotation = degrees;
    UpdateTransform(c);
}
float GetRotation() {
    return Context().rotation;
}
void SetScale(float scaleX, float scaleY) {
    TDrawContext& c = Context();
    c.scaleX = scaleX, c.scaleY = scaleY;
    UpdateTransform(c);
}
void GetScale(float& scaleX, float& scaleY) {
    const TDrawContext& c = Context();
    scaleX = c.scaleX, scaleY = c.scaleY;
}
void SetTransform(float degrees, float scaleX, float scaleY) {
    TDrawContext& c = Context();
    c.rotation = degrees, c.scaleX = scaleX, c.scaleY = scaleY;
    UpdateTransform(c);
}
void GetTransform(float& ix, float& iy, float& jx, float& jy) {
    const TDrawContext& c = Context();
    ix = c.ix, iy = c.iy, jx = c.jx, jy = c.jy;
}
void SetOrigin(float x, float y) {
    TDrawContext& c = Context();
    c.originX = x, c.originY = y;
}
void GetOrigin(float& x, float& y) {
    const TDrawContext& c = Context();
    x = c.originX, y = c.originY;
}
void SetHandle(float x, float y) {
    TDrawContext& c = Context();
    c.handleX = -x, c.handleY = -y;
}
void GetHandle(float& x, float& y) {
    const TDrawContext& c = Context();
    x = -c.handleX, y = -c.handleY;
}
void SetViewport(int32_t x, int32_t y, int32_t width, int32_t height) {
    TDrawContext& c = Context();
    c.viewportX = x, c.viewportY = y, c.viewportW = width, c.viewportH = height;
    Clipping() = !(x == 0 && y == 0 && width == DisplayWidth() && height == DisplayHeight());
}
void GetViewport(int32_t& x, int32_t& y, int32_t& width, int32_t& height) {
    const TDrawContext& c = Context();
    x = c.viewportX, y = c.viewportY, width = c.viewportW, height = c.viewportH;
}
void SetLineWidth(float width) {
    Context().lineWidth = width;
}
float GetLineWidth() {
    return Context().lineWidth;
}
void SetFont(const FontPtr& font) {
    Context().font = font ? font : BuiltInFont();
}
FontPtr GetFont() {
    return Context().font;
}

// ---- Clearing -----------------------------------------------------------------------------

void ClearBackBuffer() {
    const GraphicsPtr& graphics = CurrentDisplay();
    if (!graphics || graphics->Lost()) return;
    FlushDrawing();
    const TDrawContext& c = graphics->Context();
    const uint32_t color = 0xFF000000u | static_cast<uint32_t>(Clamp255(c.clearR)) << 16 |
                           static_cast<uint32_t>(Clamp255(c.clearG)) << 8 | static_cast<uint32_t>(Clamp255(c.clearB));
    graphics->Driver()->Clear({c.viewportX, c.viewportY, c.viewportX + c.viewportW, c.viewportY + c.viewportH}, color);
}

// ---- Images -------------------------------------------------------------------------------

void DrawImage(const ImagePtr& image, float x, float y, int32_t frame) {
    if (!image || frame < 0 || static_cast<size_t>(frame) >= image->frames.size()) return;
    const TDrawContext& c = Context();
    DrawFrame(*image, frame, x + c.originX, y + c.originY, -image->handleX, -image->handleY);
}

// ---- Text ---------------------------------------------------------------------------------

void DrawText(const std::string& text, float x, float y) {
    const TDrawContext& c = Context();
    if (!c.font) return;
    float px = x + c.originX + c.handleX * c.ix + c.handleY * c.iy;
    float py = y + c.originY + c.handleX * c.jx + c.handleY * c.jy;
    for (const char ch : text) {
        const TGlyph* glyph = c.font->Glyph(static_cast<unsigned char>(ch));
        if (!glyph) continue;
        const auto dx = std::trunc(glyph->offsetX * c.ix + glyph->offsetY * c.iy);
        const auto dy = std::trunc(glyph->offsetX * c.jx + glyph->offsetY * c.jy);
        if (glyph->image) DrawFrame(*glyph->image, 0, px + dx, py + dy, 0, 0);
        px += c.ix * glyph->advance;
        py += c.jx * glyph->advance;
    }
}

int32_t TextWidth(const std::string& text) {
    const TDrawContext& c = Context();
    const FontPtr font = c.font ? c.font : BuiltInFont();
    float width = 0;
    for (const char ch : text) {
        if (const TGlyph* glyph = font->Glyph(static_cast<unsigned char>(ch)))
            width = std::trunc(width + glyph->advance);
    }
    return static_cast<int32_t>(width);
}

int32_t TextHeight() {
    const TDrawContext& c = Context();
    return (c.font ? c.font : BuiltInFont())->Height();
}

// ---- Read-back ----------------------------------------------------------------------------

PixmapPtr GrabBackBuffer(int32_t x, int32_t y, int32_t width, int32_t height) {
    const GraphicsPtr& graphics = CurrentDisplay();
    if (!graphics) return nullptr;
    FlushDrawing();
    return graphics->Driver()->GrabBackBuffer(x, y, width, height);
}

// ---- Start --------------------------------------------------------------------------------

void InitialiseDrawContext(TGraphics& graphics) {
    BuiltInFont();
    SetBlend(BlendMask);
    SetColor(255, 255, 255);
    SetClearColor(0, 0, 0);
    SetMaskColor(0, 0, 0);
    SetAlpha(1);
    SetOrigin(0, 0);
    SetHandle(0, 0);
    SetViewport(0, 0, graphics.Width(), graphics.Height());
    SetTransform(0, 1, 1);
    SetLineWidth(1);
    SetAutoCentreHandle(false);
    SetDefaultImageFlags(ImageMasked | ImageFiltered);
    SetFont(nullptr);
    ClearBackBuffer();
    Flip(0);
    ClearBackBuffer();
    Flip(0);
    graphics.Context().initialised = true;
}
