// Test helper: decodes PNG bytes with libpng into their header facts and 8-bit RGBA pixels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct DecodedPng {
    bool ok = false;
    int width = 0, height = 0;
    int bitDepth = 0;
    int colourType = -1; // PNG_COLOR_TYPE_*
    bool hasTransparencyChunk = false;
    int paletteSize = 0;
    std::vector<uint8_t> rgba; // expanded to RGBA
};

DecodedPng DecodePng(const uint8_t* data, size_t size);
std::vector<uint8_t> ReadWholeFile(const std::string& path);
// The committed artwork file `file` under "build stuff/gfx".
std::string ArtworkPath(const std::string& file);
