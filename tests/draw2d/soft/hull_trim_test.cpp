// Spans trimmed to a texture's visible hull, where the hull has many sides and the quads are large:
// the left and right bounds then pass from one hull side to the next many times down a quad.
#include "draw2d/soft/soft_rasterizer.h"

#include "runtime/random.h"
#include "tests/draw2d/soft/soft_test_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A 32 × 32 texture showing a disc of noise whose outline has many hull sides.
std::vector<uint32_t> DiscTexels() {
    std::vector<uint32_t> texels(32 * 32, 0x00FFFFFF);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            if (std::hypot(x - 15.5, y - 17.0) < 11.5)
                texels[size_t(y) * 32 + x] = static_cast<uint32_t>(RandomInt(0x100000, 0x7FFFFFFF)) * 2u;
    return texels;
}

std::vector<uint32_t> Render(TestTexture& texture, int workers) {
    TestCanvas canvas(240, 200, 0xFF405060);
    SoftRasterizer rasterizer(workers);
    rasterizer.SetTarget(canvas.Surface());
    SeedRandom(7);
    // Quarter turns give hull sides parallel to the rows; the rest are turned and stretched anyhow.
    for (int i = 0; i < 40; ++i) {
        const double angle = i < 4 ? 90.0 * i : RandomReal(0, 360);
        const SoftQuad quad = ImageQuad(float(RandomReal(0, 240)), float(RandomReal(0, 200)), 32, 32, 32, 32, angle,
                                        RandomReal(0.5, 6), RandomReal(0.5, 6));
        const int blend = i % 3 == 0 ? BlendMask : (i % 3 == 1 ? BlendAlpha : BlendLight);
        rasterizer.DrawQuads(&texture.texture, canvas.State(blend), &quad, 1);
    }
    rasterizer.Finish();
    return canvas.pixels;
}

TEST(SoftHullTrim, ManySidedHullOnLargeQuadsChangesNoPixelOnAnyNumberOfWorkers) {
    for (bool filtered : {false, true}) {
        SeedRandom(3);
        TestTexture texture(32, 32, DiscTexels(), filtered);
        const std::vector<uint32_t> plain = Render(texture, 1);
        const std::vector<SoftHalfPlane> planes = SoftFindOpaqueHull(texture.levels[0]);
        EXPECT_GT(planes.size(), 8u);
        const SoftHull hull = {planes.data(), int(planes.size())};
        texture.texture.hulls = &hull;
        for (int workers : {1, 2})
            EXPECT_TRUE(Render(texture, workers) == plain) << filtered << " " << workers;
        size_t changed = 0;
        for (uint32_t p : plain)
            changed += p != 0xFF405060;
        EXPECT_GT(changed, plain.size() / 4) << "the discs cover much of the canvas";
    }
}

} // namespace
