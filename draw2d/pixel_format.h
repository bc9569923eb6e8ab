// The six pixel formats of the drawing layer and their per-format tables.
#pragma once

#include <cstdint>

// Pixel format codes; 0 means no format.
enum : int32_t {
    FormatNone = 0,
    FormatI8 = 1,       // intensity
    FormatA8 = 2,       // alpha
    FormatBGR888 = 3,   // bytes B, G, R
    FormatRGB888 = 4,   // bytes R, G, B
    FormatBGRA8888 = 5, // bytes B, G, R, A (a 32-bit 0xAARRGGBB on a little-endian machine)
    FormatRGBA8888 = 6, // bytes R, G, B, A
};
constexpr int32_t kFormatCount = 7;

// True for codes 1 to 6.
constexpr bool IsPixelFormat(int32_t format) {
    return format > FormatNone && format < kFormatCount;
}

// Per-format tables indexed by the format code; unknown codes give 0.
int32_t BytesPerPixel(int32_t format);
int32_t BitsPerPixel(int32_t format);
int32_t RedBits(int32_t format);
int32_t GreenBits(int32_t format);
int32_t BlueBits(int32_t format);
int32_t AlphaBits(int32_t format);
inline bool FormatHasAlpha(int32_t format) {
    return AlphaBits(format) > 0;
}
