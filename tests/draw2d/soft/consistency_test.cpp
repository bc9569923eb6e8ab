// The fast paths against the plain ones: AVX2 spans against portable spans, and banded worker threads
// against drawing on one thread, over many random rotated, scaled, modulated quads in every blend mode.
#include "draw2d/soft/soft_rasterizer.h"
#include "draw2d/soft/soft_span.h"

#include "runtime/random.h"
#include "tests/draw2d/soft/soft_test_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TestTexture NoisyTexture(int w, int h, bool filtered) {
    std::vector<uint32_t> texels(size_t(w) * h);
    for (uint32_t& t : texels)
        t = static_cast<uint32_t>(RandomInt(0, 0x7FFFFFFF)) * 2u + uint32_t(RandomInt(0, 1));
    return TestTexture(w, h, texels, filtered);
}

struct Draw {
    SoftQuad quad;
    int blend;
    uint32_t color;
    bool textured, filtered;
};

std::vector<Draw> RandomDraws(int count) {
    std::vector<Draw> draws;
    for (int i = 0; i < count; ++i) {
        Draw d;
        // Every third quad shows the whole texture, so that sampling clamps at all four edges.
        const bool whole = i % 3 == 1;
        d.quad = ImageQuad(float(RandomReal(-20, 140)), float(RandomReal(-20, 100)), whole ? 16 : 13, whole ? 32 : 21,
                           16, 32, RandomReal(0, 360), RandomReal(0.3, 3), RandomReal(0.3, 3));
        if (i % 7 == 3) d.quad.v[2].x += 3.5f; // not a parallelogram: two triangles
        d.blend = RandomInt(1, 5);
        d.color = i % 3 == 0 ? 0xFFFFFFFF : static_cast<uint32_t>(RandomInt(0, 0x7FFFFFFF)) * 2u;
        d.textured = i % 5 != 0;
        d.filtered = i % 2 == 0;
        draws.push_back(d);
    }
    return draws;
}

// Draws everything on one thread (spans chosen as forced) or through a rasterizer with workers.
std::vector<uint32_t> Render(const std::vector<Draw>& draws, TestTexture& nearest, TestTexture& filtered, int workers) {
    TestCanvas canvas(133, 91, 0xFF203040);
    SoftRasterizer rasterizer(workers > 0 ? workers : 1);
    rasterizer.SetTarget(canvas.Surface());
    for (size_t i = 0; i < draws.size(); ++i) {
        const Draw& d = draws[i];
        SoftState state = canvas.State(d.blend, d.color);
        if (i % 11 == 5) state.clip = {10, 7, 100, 60};
        const SoftTexture* texture = d.textured ? &(d.filtered ? filtered : nearest).texture : nullptr;
        if (workers > 0)
            rasterizer.DrawQuads(texture, state, &d.quad, 1);
        else
            SoftDrawQuads(canvas.Surface(), texture, state, &d.quad, 1);
        if (i == draws.size() / 2) {
            if (workers > 0)
                rasterizer.Clear({30, 20, 90, 50}, 0xFF102030);
            else
                SoftClear(canvas.Surface(), {30, 20, 90, 50}, 0xFF102030);
        }
    }
    rasterizer.Finish();
    return canvas.pixels;
}

TEST(SoftConsistency, Avx2SpansMatchPortableSpansBitForBit) {
    if (!SoftSpanAvx2()) GTEST_SKIP() << "no AVX2 on this processor";
    SeedRandom(17);
    TestTexture nearest = NoisyTexture(16, 32, false), filtered = NoisyTexture(16, 32, true);
    const std::vector<Draw> draws = RandomDraws(300);
    SoftForcePortableSpans(true);
    const std::vector<uint32_t> portable = Render(draws, nearest, filtered, 0);
    SoftForcePortableSpans(false);
    const std::vector<uint32_t> simd = Render(draws, nearest, filtered, 0);
    size_t differing = 0;
    for (size_t i = 0; i < simd.size(); ++i)
        differing += simd[i] != portable[i];
    EXPECT_EQ(differing, 0u);
    // The picture really was drawn over: most pixels changed from the background.
    size_t untouched = 0;
    for (uint32_t p : simd)
        untouched += p == 0xFF203040;
    EXPECT_LT(untouched, simd.size() / 4);
}

TEST(SoftConsistency, WorkerThreadsKeepTheDrawingOrderOfOneThread) {
    SeedRandom(29);
    TestTexture nearest = NoisyTexture(16, 32, false), filtered = NoisyTexture(16, 32, true);
    const std::vector<Draw> draws = RandomDraws(300);
    const std::vector<uint32_t> single = Render(draws, nearest, filtered, 0);
    for (int workers : {1, 2, 3})
        EXPECT_TRUE(Render(draws, nearest, filtered, workers) == single) << workers;
}

TEST(SoftConsistency, TrimmingSpansToTheVisibleHullChangesNoPixel) {
    // A texture whose visible texels form a ring away from the edges, and one touching an edge.
    for (int touching : {0, 1}) {
        SeedRandom(41 + touching);
        std::vector<uint32_t> texels(16 * 32);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 16; ++x) {
                const double r = std::hypot(x - 7.5, (y - 14.0) / 2);
                const bool visible = (r > 3 && r < 6.5) || (touching && x == 15 && y > 20);
                texels[y * 16 + x] = visible ? static_cast<uint32_t>(RandomInt(0x100000, 0x7FFFFFFF)) * 2u : 0x00FFFFFF;
            }
        TestTexture nearest(16, 32, texels, false), filtered(16, 32, texels, true);
        const std::vector<Draw> draws = RandomDraws(300);
        const std::vector<uint32_t> plain = Render(draws, nearest, filtered, 0);
        const std::vector<SoftHalfPlane> planes = SoftFindOpaqueHull(nearest.levels[0]);
        const SoftHull hull = {planes.data(), int(planes.size())};
        nearest.texture.hulls = filtered.texture.hulls = &hull;
        EXPECT_TRUE(Render(draws, nearest, filtered, 0) == plain) << touching;
    }
    // Nothing visible: every span is dropped.
    const SoftMipLevel clear = {1, 1, nullptr};
    const std::vector<uint32_t> transparent(1, 0x00FFFFFF);
    const SoftMipLevel none = {1, 1, transparent.data()};
    EXPECT_EQ(SoftFindOpaqueHull(none).size(), 1u);
    EXPECT_EQ(SoftFindOpaqueHull(clear).size(), 1u);
}

TEST(SoftConsistency, RasterizerFinishesBeforeChangingTargetAndOnDestruction) {
    TestCanvas first(8, 8), second(8, 8);
    const SoftQuad quad = RectQuad(0, 0, 8, 8);
    {
        SoftRasterizer rasterizer(2);
        rasterizer.SetTarget(first.Surface());
        rasterizer.DrawQuads(nullptr, first.State(BlendSolid, 0xFF112233), &quad, 1);
        rasterizer.SetTarget(second.Surface());
        EXPECT_EQ(first.At(7, 7), 0xFF112233u);
        rasterizer.Clear({0, 0, 8, 8}, 0xFF445566);
    }
    EXPECT_EQ(second.At(0, 7), 0xFF445566u);
}

} // namespace
