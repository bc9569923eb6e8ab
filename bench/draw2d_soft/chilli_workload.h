// The chilli sprite workload shared by the drawing benchmarks: two chilli-like pictures in 128 x 256
// textures and N sprites with random places and angles, alternately masked and alpha-blended.
#pragma once

#include "runtime/random.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace chilli_workload {

constexpr int kWidth = 1920, kHeight = 1080, kTexW = 128, kTexH = 256;
constexpr float kScaleX = 0.9375f, kScaleY = 0.703f;

struct Image {
    int width, height;
    std::vector<uint32_t> texels; // kTexW × kTexH, the image at the top-left
};

// A chilli-like shape: a curved, tapering red pod with a green stem, on transparent black.
Image MakeChilli(int w, int h, double bend, uint32_t tint) {
    Image image{w, h, std::vector<uint32_t>(kTexW * kTexH, 0)};
    for (int y = 0; y < h; ++y) {
        const double t = double(y) / h;
        const double centre = w * 0.5 + bend * std::sin(t * 2.6);
        const double radius =
            t < 0.12 ? w * 0.07 : w * 0.42 * std::pow(std::sin(M_PI * (t - 0.12) / 0.88 * 0.9 + 0.1), 0.6);
        for (int x = 0; x < w; ++x) {
            const double d = (x + 0.5 - centre) / radius;
            if (std::fabs(d) >= 1) continue;
            const double light = 0.55 + 0.45 * std::sqrt(1 - d * d);
            const uint32_t base = t < 0.12 ? 0x2E8B20 : tint;
            uint32_t pixel = 0xFF000000;
            for (int shift = 0; shift < 24; shift += 8)
                pixel |= uint32_t(((base >> shift) & 0xFF) * light) << shift;
            image.texels[size_t(y) * kTexW + x] = pixel;
        }
    }
    return image;
}

struct Sprite {
    float x, y, angle;
    int texture, blend;
};

std::vector<Sprite> MakeSprites(int n) {
    SeedRandom(1234);
    std::vector<Sprite> sprites;
    for (int i = 0; i < n; ++i)
        sprites.push_back({float(RandomReal(-40, kWidth)), float(RandomReal(-40, kHeight)), float(RandomReal(0, 360)),
                           i % 2, (i / 2) % 2 == 0 ? 1 : 3});
    return sprites;
}

const Image& Chilli(int which) {
    static const Image images[2] = {MakeChilli(74, 220, 9, 0xD01810), MakeChilli(65, 207, -7, 0xE05A10)};
    return images[which];
}

} // namespace chilli_workload
