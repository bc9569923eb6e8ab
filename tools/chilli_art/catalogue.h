// The pictures the generator draws: file name, display name, exact size and pixel kind.
#pragma once

#include <cstddef>

namespace chilli_art {

enum class PixelKind { Rgb, Palette, Rgba };

struct PictureEntry {
    const char* file;
    const char* displayName;
    int width;
    int height;
    PixelKind kind;
};

// The 100 catalogue pictures in catalogue order, followed by the two About logos.
const PictureEntry* Pictures();
size_t PictureCount();
constexpr size_t kCatalogueSize = 100;

} // namespace chilli_art
