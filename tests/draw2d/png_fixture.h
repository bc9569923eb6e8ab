// Test fixtures: PNG files encoded in memory by libpng itself, in any colour type and depth.
#pragma once

#include <cstdint>
#include <vector>

struct PngFixture {
    int width = 0;
    int height = 0;
    int colorType = 0; // a PNG_COLOR_TYPE_* value
    int bitDepth = 8;
    std::vector<uint8_t> samples; // rows packed without padding, in the PNG's own sample layout
    std::vector<uint8_t> palette; // r, g, b triples for palette pictures
    std::vector<uint8_t> trns;    // tRNS chunk bytes (palette alpha, or a 16-bit gray value)
    bool interlaced = false;
};

// The encoded file.
std::vector<uint8_t> EncodePng(const PngFixture& fixture);
// A file whose IHDR claims width x height with a valid CRC, followed by a little junk data.
std::vector<uint8_t> PngWithHeader(uint32_t width, uint32_t height);
