// Helpers for the rasterizer tests: an owned target, textures made of plain pixel lists, image quads.
#pragma once

#include "draw2d/soft/soft_raster.h"

#include <cmath>
#include <vector>

struct TestCanvas {
    int width, height;
    std::vector<uint32_t> pixels;
    TestCanvas(int w, int h, uint32_t fill = 0xFF000000) : width(w), height(h), pixels(size_t(w) * h, fill) {}
    SoftSurface Surface() { return {pixels.data(), width, height, width}; }
    uint32_t At(int x, int y) const { return pixels[size_t(y) * width + x]; }
    SoftState State(int blend, uint32_t color = 0xFFFFFFFF) const { return {blend, color, {0, 0, width, height}}; }
};

struct TestTexture {
    std::vector<std::vector<uint32_t>> data;
    std::vector<SoftMipLevel> levels;
    SoftTexture texture;
    // One level of w × h from pixels; more levels with AddLevel.
    TestTexture(int w, int h, std::vector<uint32_t> pixels, bool filtered = false) {
        AddLevel(w, h, std::move(pixels));
        texture.filtered = filtered;
    }
    void AddLevel(int w, int h, std::vector<uint32_t> pixels) {
        data.push_back(std::move(pixels));
        levels.clear();
        widths.push_back(w);
        heights.push_back(h);
        for (size_t i = 0; i < data.size(); ++i)
            levels.push_back({widths[i], heights[i], data[i].data()});
        texture.levels = levels.data();
        texture.levelCount = static_cast<int>(levels.size());
        texture.mipmapped = levels.size() > 1;
    }
    std::vector<int> widths, heights;
};

// The quad of an image w × h in a texture texW × texH, placed at (x, y), turned by degrees clockwise
// about (x, y) and scaled, as the drawing state builds it.
inline SoftQuad ImageQuad(float x, float y, int w, int h, int texW, int texH, double degrees = 0, double sx = 1,
                          double sy = 1) {
    const double r = degrees * 0.017453292519943295;
    const double ix = std::cos(r) * sx, iy = -std::sin(r) * sy, jx = std::sin(r) * sx, jy = std::cos(r) * sy;
    const float um = float(w) / float(texW), vm = float(h) / float(texH);
    const double lx[4] = {0, double(w), double(w), 0}, ly[4] = {0, 0, double(h), double(h)};
    const float us[4] = {0, um, um, 0}, vs[4] = {0, 0, vm, vm};
    SoftQuad quad;
    for (int i = 0; i < 4; ++i)
        quad.v[i] = {float(x + lx[i] * ix + ly[i] * iy), float(y + lx[i] * jx + ly[i] * jy), us[i], vs[i]};
    return quad;
}

inline SoftQuad RectQuad(float x0, float y0, float x1, float y1) {
    return {{{x0, y0, 0, 0}, {x1, y0, 1, 0}, {x1, y1, 1, 1}, {x0, y1, 0, 1}}};
}
