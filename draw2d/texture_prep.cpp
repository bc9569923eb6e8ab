// Power-of-two texture layout, edge extension and the mipmap chain.
#include "draw2d/texture_prep.h"

#include <algorithm>
#include <cassert>
#include <cstring>

#include "draw2d/image.h"

int32_t TextureSize(int32_t size) {
    int32_t texture = 1;
    while (texture < size)
        texture <<= 1;
    return texture;
}

uint32_t AveragePixels(uint32_t a, uint32_t b) {
    const uint32_t half = ((a >> 1) & 0x7F7F7F7Fu) + ((b >> 1) & 0x7F7F7F7Fu);
    return half + ((half >> 3) & 0x01010101u);
}

TextureLevel HalveLevel(const TextureLevel& level) {
    TextureLevel half;
    half.width = std::max(1, level.width / 2);
    half.height = std::max(1, level.height / 2);
    half.pixels.resize(static_cast<size_t>(half.width) * static_cast<size_t>(half.height));
    const int32_t lastX = level.width - 1, lastY = level.height - 1;
    for (int32_t y = 0; y < half.height; ++y) {
        const uint32_t* top = &level.pixels[static_cast<size_t>(std::min(2 * y, lastY)) * level.width];
        const uint32_t* bottom = &level.pixels[static_cast<size_t>(std::min(2 * y + 1, lastY)) * level.width];
        uint32_t* out = &half.pixels[static_cast<size_t>(y) * half.width];
        for (int32_t x = 0; x < half.width; ++x) {
            const int32_t left = std::min(2 * x, lastX), right = std::min(2 * x + 1, lastX);
            out[x] = AveragePixels(AveragePixels(top[left], top[right]), AveragePixels(bottom[left], bottom[right]));
        }
    }
    return half;
}

PreparedTexture PrepareTexture(const TPixmap& pixmap, int32_t flags) {
    const bool mipmapped = (flags & ImageMipmapped) != 0;
    const int32_t width = pixmap.width, height = pixmap.height;
    PreparedTexture texture;
    texture.width = TextureSize(width);
    texture.height = TextureSize(height);
    texture.uMax = static_cast<float>(width) / static_cast<float>(texture.width);
    texture.vMax = static_cast<float>(height) / static_cast<float>(texture.height);

    TextureLevel top;
    top.width = texture.width;
    top.height = texture.height;
    top.pixels.assign(static_cast<size_t>(top.width) * static_cast<size_t>(top.height), 0);

    // 0xAARRGGBB in memory on a little-endian machine is FormatBGRA8888, so the paste converts.
    static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "texels are stored as B, G, R, A bytes");
    auto target = CreateStaticPixmap(top.pixels.data(), top.width, top.height, top.width * 4, FormatBGRA8888);
    PastePixmap(pixmap, *target, 0, 0);

    // Extend the right and bottom edges so filtering never samples texels outside the image:
    // one column and row, or all the rest when smaller levels will average them in.
    if (width > 0 && height > 0) {
        const int32_t columnEnd = std::min(texture.width, mipmapped ? texture.width : width + 1);
        for (int32_t y = 0; y < height; ++y) {
            uint32_t* row = &top.pixels[static_cast<size_t>(y) * top.width];
            std::fill(row + width, row + columnEnd, row[width - 1]);
        }
        const int32_t rowEnd = std::min(texture.height, mipmapped ? texture.height : height + 1);
        const uint32_t* lastRow = &top.pixels[static_cast<size_t>(height - 1) * top.width];
        for (int32_t y = height; y < rowEnd; ++y)
            std::memcpy(&top.pixels[static_cast<size_t>(y) * top.width], lastRow, sizeof(uint32_t) * top.width);
    }

    texture.levels.push_back(std::move(top));
    if (mipmapped) {
        while (texture.levels.back().width > 1 || texture.levels.back().height > 1)
            texture.levels.push_back(HalveLevel(texture.levels.back()));
    }
    return texture;
}
