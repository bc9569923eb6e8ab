// Pixel buffers (TPixmap): creation with the pitch rule, views over foreign memory and windows into
// a pixmap, copies and format conversion, per-pixel access and the mask that makes a colour clear.
#pragma once

#include <cstdint>
#include <memory>

#include "draw2d/pixel_format.h"

// Pixel (x, y) starts at pixels + y * pitch + x * BytesPerPixel(format); rows run top to bottom.
// capacity is the byte size of the pixel memory the pixmap owns, or -1 when the memory belongs to
// someone else (a static pixmap or a window) and is not freed with the pixmap.
struct TPixmap {
    uint8_t* pixels = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    int32_t pitch = 0;
    int32_t format = FormatNone;
    int32_t capacity = -1;

    // The memory this pixmap owns (capacity >= 0).
    std::unique_ptr<uint8_t[]> storage;
    // A window keeps the pixmap it looks into alive.
    std::shared_ptr<TPixmap> viewed;

    uint8_t* Row(int32_t y) const { return pixels + static_cast<intptr_t>(y) * pitch; }
};
using PixmapPtr = std::shared_ptr<TPixmap>;

// Largest width or height, and largest pixel memory, that CreatePixmap accepts. A bigger request
// (from a corrupt file, say) is refused before anything is allocated.
constexpr int32_t kMaxPixmapSide = 16384;
constexpr int64_t kMaxPixmapBytes = int64_t{256} << 20;

// The row pitch CreatePixmap uses: ceil(width * bytes per pixel / align) * align; -1 when the
// pixmap would exceed the limits above.
int64_t PixmapPitch(int32_t width, int32_t format, int32_t align);

// A new pixmap with undefined contents; capacity = pitch * height. Null when the size is negative
// or beyond the limits. The format must be 1..6 and align positive.
PixmapPtr CreatePixmap(int32_t width, int32_t height, int32_t format, int32_t align = 4);
// A pixmap over memory owned by the caller, who keeps it alive as long as the pixmap (capacity -1).
PixmapPtr CreateStaticPixmap(void* pixels, int32_t width, int32_t height, int32_t pitch, int32_t format);
// A static pixmap viewing a rectangle of pixmap, which must lie inside it; same pitch and format.
PixmapPtr PixmapWindow(const PixmapPtr& pixmap, int32_t x, int32_t y, int32_t width, int32_t height);
// A new pixmap (align 4) with the same size, format and pixels; null if out of memory limits.
PixmapPtr CopyPixmap(const TPixmap& pixmap);
// A new pixmap (align 4) holding pixmap's pixels in format, converted through FormatRGBA8888.
PixmapPtr ConvertPixmap(const TPixmap& pixmap, int32_t format);
// Copies source into target with its top-left corner at (x, y), converting between formats;
// the part that falls outside target is left out.
void PastePixmap(const TPixmap& source, TPixmap& target, int32_t x, int32_t y);

// The pixel at (x, y) as 0xAARRGGBB. No bounds check: 0 <= x < width, 0 <= y < height.
uint32_t ReadPixel(const TPixmap& pixmap, int32_t x, int32_t y);
// Stores 0xAARRGGBB at (x, y) in the pixmap's format. No bounds check.
void WritePixel(TPixmap& pixmap, int32_t x, int32_t y, uint32_t argb);

// Row conversions to and from FormatRGBA8888 bytes (count pixels).
void RowToRgba(const uint8_t* source, int32_t format, int32_t count, uint8_t* rgba);
void RowFromRgba(const uint8_t* rgba, int32_t format, int32_t count, uint8_t* target);

// A new FormatRGBA8888 pixmap in which pixels of colour (r, g, b) get alpha 0 and the average colour
// of their neighbours that are not of that colour (so filtering does not bleed the mask colour into
// edges); all other pixels get alpha 255. Null only when no pixmap of that size can be made.
PixmapPtr MaskPixmap(const TPixmap& pixmap, int32_t r, int32_t g, int32_t b);
