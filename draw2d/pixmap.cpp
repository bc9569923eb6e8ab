// Pixmap creation, windows, copies, conversion through FormatRGBA8888, pixel access and masking.
#include "draw2d/pixmap.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <new>
#include <vector>

int64_t PixmapPitch(int32_t width, int32_t format, int32_t align) {
    assert(IsPixelFormat(format) && "PixmapPitch: unknown pixel format");
    assert(align > 0 && "PixmapPitch: alignment must be positive");
    if (width < 0 || width > kMaxPixmapSide) return -1;
    const int64_t rowBytes = int64_t{width} * BytesPerPixel(format);
    return (rowBytes + align - 1) / align * align;
}

PixmapPtr CreatePixmap(int32_t width, int32_t height, int32_t format, int32_t align) {
    const int64_t pitch = PixmapPitch(width, format, align);
    if (pitch < 0 || height < 0 || height > kMaxPixmapSide) return nullptr;
    const int64_t capacity = pitch * height;
    if (capacity > kMaxPixmapBytes) return nullptr;

    auto pixmap = std::make_shared<TPixmap>();
    // At least one byte, so even an empty pixmap has a valid address.
    pixmap->storage.reset(new (std::nothrow) uint8_t[static_cast<size_t>(std::max<int64_t>(capacity, 1))]);
    if (!pixmap->storage) return nullptr;
    pixmap->pixels = pixmap->storage.get();
    pixmap->width = width;
    pixmap->height = height;
    pixmap->pitch = static_cast<int32_t>(pitch);
    pixmap->format = format;
    pixmap->capacity = static_cast<int32_t>(capacity);
    return pixmap;
}

PixmapPtr CreateStaticPixmap(void* pixels, int32_t width, int32_t height, int32_t pitch, int32_t format) {
    assert(pixels && "CreateStaticPixmap: no pixel memory");
    assert(IsPixelFormat(format) && "CreateStaticPixmap: unknown pixel format");
    assert(width >= 0 && height >= 0 && "CreateStaticPixmap: negative size");
    auto pixmap = std::make_shared<TPixmap>();
    pixmap->pixels = static_cast<uint8_t*>(pixels);
    pixmap->width = width;
    pixmap->height = height;
    pixmap->pitch = pitch;
    pixmap->format = format;
    pixmap->capacity = -1;
    return pixmap;
}

PixmapPtr PixmapWindow(const PixmapPtr& pixmap, int32_t x, int32_t y, int32_t width, int32_t height) {
    assert(pixmap && "PixmapWindow: no pixmap");
    assert(x >= 0 && y >= 0 && width >= 0 && height >= 0 && x + width <= pixmap->width &&
           y + height <= pixmap->height && "PixmapWindow: rectangle outside the pixmap");
    auto window = CreateStaticPixmap(pixmap->Row(y) + x * BytesPerPixel(pixmap->format), width, height, pixmap->pitch,
                                     pixmap->format);
    window->viewed = pixmap;
    return window;
}

PixmapPtr CopyPixmap(const TPixmap& pixmap) {
    return ConvertPixmap(pixmap, pixmap.format);
}

PixmapPtr ConvertPixmap(const TPixmap& pixmap, int32_t format) {
    PixmapPtr result = CreatePixmap(pixmap.width, pixmap.height, format, 4);
    if (result) PastePixmap(pixmap, *result, 0, 0);
    return result;
}

void RowToRgba(const uint8_t* s, int32_t format, int32_t count, uint8_t* d) {
    switch (format) {
    case FormatI8:
        for (int32_t i = 0; i < count; ++i, d += 4)
            d[0] = d[1] = d[2] = s[i], d[3] = 255;
        break;
    case FormatA8:
        for (int32_t i = 0; i < count; ++i, d += 4)
            d[0] = d[1] = d[2] = 255, d[3] = s[i];
        break;
    case FormatBGR888:
        for (int32_t i = 0; i < count; ++i, s += 3, d += 4)
            d[0] = s[2], d[1] = s[1], d[2] = s[0], d[3] = 255;
        break;
    case FormatRGB888:
        for (int32_t i = 0; i < count; ++i, s += 3, d += 4)
            d[0] = s[0], d[1] = s[1], d[2] = s[2], d[3] = 255;
        break;
    case FormatBGRA8888:
        for (int32_t i = 0; i < count; ++i, s += 4, d += 4)
            d[0] = s[2], d[1] = s[1], d[2] = s[0], d[3] = s[3];
        break;
    case FormatRGBA8888:
        std::memcpy(d, s, static_cast<size_t>(count) * 4);
        break;
    default:
        assert(false && "RowToRgba: unknown pixel format");
    }
}

void RowFromRgba(const uint8_t* s, int32_t format, int32_t count, uint8_t* d) {
    switch (format) {
    case FormatI8:
        for (int32_t i = 0; i < count; ++i, s += 4)
            d[i] = static_cast<uint8_t>((s[0] + s[1] + s[2]) / 3);
        break;
    case FormatA8:
        for (int32_t i = 0; i < count; ++i, s += 4)
            d[i] = s[3];
        break;
    case FormatBGR888:
        for (int32_t i = 0; i < count; ++i, s += 4, d += 3)
            d[0] = s[2], d[1] = s[1], d[2] = s[0];
        break;
    case FormatRGB888:
        for (int32_t i = 0; i < count; ++i, s += 4, d += 3)
            d[0] = s[0], d[1] = s[1], d[2] = s[2];
        break;
    case FormatBGRA8888:
        for (int32_t i = 0; i < count; ++i, s += 4, d += 4)
            d[0] = s[2], d[1] = s[1], d[2] = s[0], d[3] = s[3];
        break;
    case FormatRGBA8888:
        std::memcpy(d, s, static_cast<size_t>(count) * 4);
        break;
    default:
        assert(false && "RowFromRgba: unknown pixel format");
    }
}

void PastePixmap(const TPixmap& source, TPixmap& target, int32_t x, int32_t y) {
    // Clip the source rectangle to the target.
    const int32_t left = std::max(0, -x), top = std::max(0, -y);
    const int32_t right = std::min(source.width, target.width - x);
    const int32_t bottom = std::min(source.height, target.height - y);
    if (left >= right || top >= bottom) return;
    const int32_t count = right - left;
    const int32_t sourceBytes = BytesPerPixel(source.format), targetBytes = BytesPerPixel(target.format);

    std::vector<uint8_t> rgbaRow;
    if (source.format != target.format && source.format != FormatRGBA8888 && target.format != FormatRGBA8888)
        rgbaRow.resize(static_cast<size_t>(count) * 4);
    for (int32_t row = top; row < bottom; ++row) {
        const uint8_t* from = source.Row(row) + left * sourceBytes;
        uint8_t* to = target.Row(y + row) + (x + left) * targetBytes;
        if (source.format == target.format) {
            std::memcpy(to, from, static_cast<size_t>(count) * sourceBytes);
        } else if (source.format == FormatRGBA8888) {
            RowFromRgba(from, target.format, count, to);
        } else if (target.format == FormatRGBA8888) {
            RowToRgba(from, source.format, count, to);
        } else {
            RowToRgba(from, source.format, count, rgbaRow.data());
            RowFromRgba(rgbaRow.data(), target.format, count, to);
        }
    }
}

uint32_t ReadPixel(const TPixmap& pixmap, int32_t x, int32_t y) {
    const uint8_t* p = pixmap.Row(y) + x * BytesPerPixel(pixmap.format);
    auto u = [](uint8_t byte) { return static_cast<uint32_t>(byte); };
    switch (pixmap.format) {
    case FormatI8:
        return 0xFF000000u | u(p[0]) << 16 | u(p[0]) << 8 | u(p[0]);
    case FormatA8:
        return u(p[0]) << 24 | 0x00FFFFFFu;
    case FormatBGR888:
        return 0xFF000000u | u(p[2]) << 16 | u(p[1]) << 8 | u(p[0]);
    case FormatRGB888:
        return 0xFF000000u | u(p[0]) << 16 | u(p[1]) << 8 | u(p[2]);
    case FormatBGRA8888:
        return u(p[3]) << 24 | u(p[2]) << 16 | u(p[1]) << 8 | u(p[0]);
    case FormatRGBA8888:
        return u(p[3]) << 24 | u(p[0]) << 16 | u(p[1]) << 8 | u(p[2]);
    default:
        assert(false && "ReadPixel: unknown pixel format");
        return 0;
    }
}

void WritePixel(TPixmap& pixmap, int32_t x, int32_t y, uint32_t argb) {
    uint8_t* p = pixmap.Row(y) + x * BytesPerPixel(pixmap.format);
    const auto a = static_cast<uint8_t>(argb >> 24), r = static_cast<uint8_t>(argb >> 16);
    const auto g = static_cast<uint8_t>(argb >> 8), b = static_cast<uint8_t>(argb);
    switch (pixmap.format) {
    case FormatI8:
        p[0] = static_cast<uint8_t>((r + g + b) / 3);
        break;
    case FormatA8:
        p[0] = a;
        break;
    case FormatBGR888:
        p[0] = b, p[1] = g, p[2] = r;
        break;
    case FormatRGB888:
        p[0] = r, p[1] = g, p[2] = b;
        break;
    case FormatBGRA8888:
        p[0] = b, p[1] = g, p[2] = r, p[3] = a;
        break;
    case FormatRGBA8888:
        p[0] = r, p[1] = g, p[2] = b, p[3] = a;
        break;
    default:
        assert(false && "WritePixel: unknown pixel format");
    }
}

PixmapPtr MaskPixmap(const TPixmap& pixmap, int32_t r, int32_t g, int32_t b) {
    PixmapPtr converted;
    const TPixmap* source = &pixmap;
    if (pixmap.format != FormatRGBA8888) {
        converted = ConvertPixmap(pixmap, FormatRGBA8888);
        if (!converted) return nullptr;
        source = converted.get();
    }
    PixmapPtr result = CreatePixmap(pixmap.width, pixmap.height, FormatRGBA8888, 4);
    if (!result) return nullptr;

    const int32_t width = source->width, height = source->height;
    auto isMask = [r, g, b](const uint8_t* p) { return p[0] == r && p[1] == g && p[2] == b; };
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* in = source->Row(y);
        uint8_t* out = result->Row(y);
        for (int32_t x = 0; x < width; ++x, in += 4, out += 4) {
            if (!isMask(in)) {
                out[0] = in[0], out[1] = in[1], out[2] = in[2], out[3] = 255;
                continue;
            }
            // A clear pixel takes the average colour of its neighbours that are not clear.
            int32_t sumR = 0, sumG = 0, sumB = 0, count = 0;
            for (int32_t ny = std::max(0, y - 1); ny <= std::min(height - 1, y + 1); ++ny) {
                for (int32_t nx = std::max(0, x - 1); nx <= std::min(width - 1, x + 1); ++nx) {
                    const uint8_t* n = source->Row(ny) + nx * 4;
                    if (isMask(n)) continue;
                    sumR += n[0], sumG += n[1], sumB += n[2], ++count;
                }
            }
            if (count > 0) sumR /= count, sumG /= count, sumB /= count;
            out[0] = static_cast<uint8_t>(sumR), out[1] = static_cast<uint8_t>(sumG);
            out[2] = static_cast<uint8_t>(sumB), out[3] = 0;
        }
    }
    return result;
}
