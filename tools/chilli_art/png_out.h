// Writes pictures as PNG files with libpng: RGB, 8-bit palette or RGBA, 8 bits per sample.
#pragma once

#include "catalogue.h"
#include "render.h"

#include <string>
#include <vector>

namespace chilli_art {

// Pixels ready to write: RGB (3 bytes), palette indices (1 byte, with `palette` as RGB triples), or RGBA.
struct Encoded {
    int width = 0, height = 0;
    PixelKind kind = PixelKind::Rgb;
    std::vector<uint8_t> pixels;
    std::vector<uint8_t> palette;
};

// Flattens a rendered image onto black as RGB, quantises it to at most 256 colours with black as
// entry 0 (no pod pixel maps to black), or keeps its alpha, as `kind` asks.
Encoded Encode(const Image& image, PixelKind kind);
// The PNG file's bytes; empty when libpng fails. No time chunk, so equal pixels give equal bytes.
std::vector<uint8_t> WritePng(const Encoded& encoded);
bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);

} // namespace chilli_art
