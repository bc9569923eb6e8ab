// Tables of the pixel formats: bytes and bits per pixel and bits per channel.
#include "draw2d/pixel_format.h"

namespace {

struct FormatInfo {
    int32_t bytes, bits, red, green, blue, alpha;
};

constexpr FormatInfo kFormats[kFormatCount] = {
    {0, 0, 0, 0, 0, 0},  // none
    {1, 8, 0, 0, 0, 0},  // FormatI8
    {1, 8, 0, 0, 0, 8},  // FormatA8
    {3, 24, 8, 8, 8, 0}, // FormatBGR888
    {3, 24, 8, 8, 8, 0}, // FormatRGB888
    {4, 32, 8, 8, 8, 8}, // FormatBGRA8888
    {4, 32, 8, 8, 8, 8}, // FormatRGBA8888
};

const FormatInfo& Info(int32_t format) {
    return kFormats[IsPixelFormat(format) ? format : FormatNone];
}

} // namespace

int32_t BytesPerPixel(int32_t format) {
    return Info(format).bytes;
}
int32_t BitsPerPixel(int32_t format) {
    return Info(format).bits;
}
int32_t RedBits(int32_t format) {
    return Info(format).red;
}
int32_t GreenBits(int32_t format) {
    return Info(format).green;
}
int32_t BlueBits(int32_t format) {
    return Info(format).blue;
}
int32_t AlphaBits(int32_t format) {
    return Info(format).alpha;
}
