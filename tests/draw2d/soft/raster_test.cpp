// The rasterizer's pictures: texel-to-pixel mapping, blend arithmetic, alpha test, clipping, coverage,
// filtering and mip levels.
#include "draw2d/soft/soft_raster.h"

#include "tests/draw2d/soft/soft_test_support.h"

#include <gtest/gtest.h>

namespace {

// A 5 × 3 image in an 8 × 4 texture; the unused texels are magenta so that sampling them shows.
TestTexture SmallImage(bool filtered) {
    std::vector<uint32_t> texels(32, 0xFFFF00FF);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            texels[y * 8 + x] = 0xFF000000u | uint32_t(x * 50) << 16 | uint32_t(y * 90) << 8 | uint32_t(x + y);
    return TestTexture(8, 4, texels, filtered);
}

TEST(SoftRaster, ImageAtIntegerPositionCopiesEachTexelOntoOnePixel) {
    for (bool filtered : {false, true}) {
        TestTexture image = SmallImage(filtered);
        TestCanvas canvas(12, 8);
        const SoftQuad quad = ImageQuad(3, 2, 5, 3, 8, 4);
        SoftDrawQuads(canvas.Surface(), &image.texture, canvas.State(BlendSolid), &quad, 1);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 12; ++x) {
                const bool inside = x >= 3 && x < 8 && y >= 2 && y < 5;
                const uint32_t expected = inside ? image.data[0][(y - 2) * 8 + (x - 3)] : 0xFF000000;
                ASSERT_EQ(canvas.At(x, y), expected) << "filtered " << filtered << " at " << x << "," << y;
            }
    }
}

TEST(SoftRaster, QuarterTurnClockwiseMapsTexelColumnsOntoRows) {
    std::vector<uint32_t> texels(8);
    for (uint32_t i = 0; i < 8; ++i)
        texels[i] = 0xFF000010u + i;
    TestTexture image(4, 2, texels);
    TestCanvas canvas(20, 20);
    const SoftQuad quad = ImageQuad(10, 10, 4, 2, 4, 2, 90);
    SoftDrawQuads(canvas.Surface(), &image.texture, canvas.State(BlendSolid), &quad, 1);
    // Local point (a, b) lands at (10 − b, 10 + a): texel (a, b) fills pixel (9 − b, 10 + a).
    int changed = 0;
    for (uint32_t p : canvas.pixels)
        changed += p != 0xFF000000;
    EXPECT_EQ(changed, 8);
    for (int b = 0; b < 2; ++b)
        for (int a = 0; a < 4; ++a)
            EXPECT_EQ(canvas.At(9 - b, 10 + a), texels[b * 4 + a]) << a << "," << b;
}

TEST(SoftRaster, BlendModesCombineSourceAndDestinationAsDocumented) {
    struct Case {
        int blend;
        uint32_t color, destination, expectedRgb;
    };
    const Case cases[] = {
        {BlendSolid, 0x80C86432, 0xFF102030, 0xC86432},
        {BlendMask, 0x80C86432, 0xFF102030, 0xC86432},  // alpha 128 passes the test
        {BlendMask, 0x7FC86432, 0xFF102030, 0x102030},  // alpha 127 does not
        {BlendAlpha, 0x4CC86432, 0xFF000000, 0x3C1E0F}, // 30 % of (200, 100, 50) over black
        {BlendAlpha, 0x80C86432, 0xFF64C800, 0x969619},
        {BlendAlpha, 0x00C86432, 0xFF64C800, 0x64C800},
        {BlendLight, 0xFF646464, 0xFF64C8FA, 0xC8FFFF}, // saturates at 255
        {BlendLight, 0x80646464, 0xFF64C8FA, 0x96FAFF},
        {BlendShade, 0xFF80FF00, 0xFFC86432, 0x646400},
        {0, 0xFFFFFFFF, 0xFF102030, 0x102030}, // unknown modes draw nothing
        {6, 0xFFFFFFFF, 0xFF102030, 0x102030},
    };
    for (const Case& c : cases) {
        TestCanvas canvas(9, 3, c.destination);
        const SoftQuad quad = RectQuad(0, 0, 9, 3);
        SoftDrawQuads(canvas.Surface(), nullptr, canvas.State(c.blend, c.color), &quad, 1);
        for (uint32_t p : canvas.pixels)
            ASSERT_EQ(p & 0xFFFFFF, c.expectedRgb) << "blend " << c.blend << std::hex << " colour " << c.color;
    }
}

TEST(SoftRaster, ColourAndAlphaModulateTexelsBeforeTheAlphaTest) {
    TestTexture white(1, 1, {0xFFFFFFFF});
    TestTexture brown(1, 1, {0xFFC86432});
    TestTexture halfSeen(1, 1, {0x80FFFFFF});
    const SoftQuad quad = ImageQuad(0, 0, 1, 1, 1, 1, 0, 11, 3);
    const auto draw = [&](const TestTexture& t, int blend, uint32_t color) {
        TestCanvas canvas(11, 3, 0xFF000000);
        SoftDrawQuads(canvas.Surface(), &t.texture, canvas.State(blend, color), &quad, 1);
        return canvas.At(5, 1) & 0xFFFFFF;
    };
    EXPECT_EQ(draw(brown, BlendSolid, 0xFFFF80FF), 0xC83232u); // green halved
    EXPECT_EQ(draw(white, BlendAlpha, 0x4CFFFFFF), 0x4C4C4Cu); // alpha 0.3 = 76
    EXPECT_EQ(draw(white, BlendMask, 0x4CFFFFFF), 0x000000u);  // hidden by the test
    EXPECT_EQ(draw(white, BlendMask, 0x7FFFFFFF), 0x000000u);
    EXPECT_EQ(draw(white, BlendMask, 0x80FFFFFF), 0xFFFFFFu);
    EXPECT_EQ(draw(halfSeen, BlendMask, 0xFFFFFFFF), 0xFFFFFFu); // texel alpha 128 passes
    EXPECT_EQ(draw(halfSeen, BlendMask, 0xFEFFFFFF), 0x000000u); // 128 × 254 / 255 rounds to 127
}

TEST(SoftRaster, ClipRectangleAndSurfaceBoundLimitDrawing) {
    TestCanvas canvas(10, 10);
    SoftState state = canvas.State(BlendSolid, 0xFFFFFFFF);
    state.clip = {2, 3, 6, 8};
    const SoftQuad quad = RectQuad(-5, -5, 15, 15);
    SoftDrawQuads(canvas.Surface(), nullptr, state, &quad, 1);
    int lit = 0;
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            const bool inside = x >= 2 && x < 6 && y >= 3 && y < 8;
            EXPECT_EQ(canvas.At(x, y) == 0xFFFFFFFF, inside) << x << "," << y;
            lit += canvas.At(x, y) == 0xFFFFFFFF;
        }
    EXPECT_EQ(lit, 20);

    // A clip reaching past the surface is cut to it; clearing follows the same rectangle.
    TestCanvas small(4, 4);
    state.clip = {-100, -100, 100, 100};
    SoftDrawQuads(small.Surface(), nullptr, state, &quad, 1);
    SoftClear(small.Surface(), {1, 1, 100, 3}, 0xFF00FF00);
    EXPECT_EQ(small.At(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(small.At(3, 2), 0xFF00FF00u);
    EXPECT_EQ(small.At(0, 2), 0xFFFFFFFFu);
    EXPECT_EQ(small.At(3, 3), 0xFFFFFFFFu);
}

// Lattice points origin + i·a + j·b, interior ones jittered when asked so that the cells stop being
// parallelograms (and are drawn as two triangles each).
std::vector<SoftQuad> Tiling(bool jitter) {
    const int n = 4;
    std::vector<SoftVertex> p((n + 1) * (n + 1));
    for (int j = 0; j <= n; ++j)
        for (int i = 0; i <= n; ++i) {
            float x = 20.25f + 7.3f * float(i) - 1.7f * float(j), y = 3.6f + 2.1f * float(i) + 6.6f * float(j);
            if (jitter && i > 0 && i < n && j > 0 && j < n) {
                x += 0.37f * float((i * 3 + j) % 5 - 2);
                y += 0.29f * float((i + j * 2) % 5 - 2);
            }
            p[j * (n + 1) + i] = {x, y, 0, 0};
        }
    std::vector<SoftQuad> cells;
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) {
            const int k = j * (n + 1) + i;
            cells.push_back({{p[k], p[k + 1], p[k + n + 2], p[k + n + 1]}});
        }
    return cells;
}

TEST(SoftRaster, QuadsSharingEdgesCoverEveryPixelExactlyOnce) {
    for (bool jitter : {false, true}) {
        TestCanvas canvas(64, 48);
        const std::vector<SoftQuad> cells = Tiling(jitter);
        SoftDrawQuads(canvas.Surface(), nullptr, canvas.State(BlendLight, 0xFF010101), cells.data(), cells.size());
        // Inside the outer parallelogram (corners unjittered) every pixel is hit once; outside never.
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 64; ++x) {
                // Lattice coordinates of the pixel centre: solve centre = origin + s·a + t·b.
                const double cx = x + 0.5 - 20.25, cy = y + 0.5 - 3.6, det = 7.3 * 6.6 + 1.7 * 2.1;
                const double s = (cx * 6.6 + 1.7 * cy) / det, t = (7.3 * cy - 2.1 * cx) / det;
                const uint32_t hits = canvas.At(x, y) & 0xFF;
                if (s > 0.001 && s < 3.999 && t > 0.001 && t < 3.999)
                    ASSERT_EQ(hits, 1u) << "jitter " << jitter << " at " << x << "," << y;
                else if (s < -0.001 || s > 4.001 || t < -0.001 || t > 4.001)
                    ASSERT_EQ(hits, 0u) << "jitter " << jitter << " at " << x << "," << y;
                else
                    ASSERT_LE(hits, 1u);
            }
    }
}

TEST(SoftRaster, BilinearFilterBlendsNeighbourTexelsWithinOneStep) {
    // Black and white texels stretched over 9 pixels: pixel i samples texel coordinate (i + 0.5) · 2 / 9.
    TestTexture ramp(2, 1, {0xFF000000, 0xFFFFFFFF}, true);
    TestCanvas canvas(9, 1);
    const SoftQuad quad = ImageQuad(0, 0, 2, 1, 2, 1, 0, 4.5, 1);
    SoftDrawQuads(canvas.Surface(), &ramp.texture, canvas.State(BlendSolid), &quad, 1);
    for (int i = 0; i < 9; ++i) {
        const double s = std::min(1.0, std::max(0.0, (i + 0.5) * 2 / 9 - 0.5));
        // Tolerance: fractions are kept to 1/256 and the result is truncated.
        EXPECT_NEAR(double(canvas.At(i, 0) & 0xFF), s * 255, 1.5) << "pixel " << i;
    }
    EXPECT_EQ(canvas.At(0, 0), 0xFF000000u); // clamped to the edge, not wrapped
    EXPECT_EQ(canvas.At(8, 0), 0xFFFFFFFFu);
}

TEST(SoftRaster, MipmappedTextureUsesTheLevelNearestToOneTexelPerPixel) {
    TestTexture mips(16, 16, std::vector<uint32_t>(256, 0xFFFF0000));
    mips.AddLevel(8, 8, std::vector<uint32_t>(64, 0xFF00FF00));
    mips.AddLevel(4, 4, std::vector<uint32_t>(16, 0xFF0000FF));
    mips.AddLevel(2, 2, std::vector<uint32_t>(4, 0xFFFFFFFF));
    mips.texture.filtered = true; // unfiltered pictures always sample the top level
    struct Case {
        double degrees, sx, sy;
        uint32_t expected;
    };
    const Case cases[] = {
        {0, 2, 2, 0xFFFF0000},     {0, 1, 1, 0xFFFF0000},       {0, 0.75, 0.75, 0xFFFF0000}, // ratio 1.33 → 0
        {0, 0.7, 0.7, 0xFF00FF00}, {0, 0.5, 0.5, 0xFF00FF00},   {45, 0.5, 0.5, 0xFF00FF00},
        {0, 1, 0.5, 0xFF00FF00},   {0, 0.25, 0.25, 0xFF0000FF}, {0, 0.05, 0.05, 0xFFFFFFFF}, // past the last
    };
    for (const Case& c : cases) {
        TestCanvas canvas(40, 40);
        const SoftQuad quad = ImageQuad(20, 20, 16, 16, 16, 16, c.degrees, c.sx, c.sy);
        SoftDrawQuads(canvas.Surface(), &mips.texture, canvas.State(BlendSolid), &quad, 1);
        // The pixel under the middle of the image.
        const double r = c.degrees * 0.017453292519943295;
        const int x = int(20 + 8 * c.sx * std::cos(r) - 8 * c.sy * std::sin(r));
        const int y = int(20 + 8 * c.sx * std::sin(r) + 8 * c.sy * std::cos(r));
        EXPECT_EQ(canvas.At(x, y), c.expected) << c.degrees << " " << c.sx << " " << c.sy;
    }
}

TEST(SoftRaster, ReadBackGivesBlueGreenRedBytesAndLeavesTheOutsideAlone) {
    TestCanvas canvas(3, 2);
    for (uint32_t i = 0; i < 6; ++i)
        canvas.pixels[i] = 0x80000000u | (0x10u * i) << 16 | (0x20u + i) << 8 | (0x30u + i);
    // A 3 × 2 rectangle from (1, 1): only its top-left 2 × 1 part lies on the surface.
    std::vector<uint8_t> out(2 * 12, 0xEE);
    SoftCopyToBGR888(canvas.Surface(), 1, 1, 3, 2, out.data(), 12);
    const std::vector<uint8_t> expected = {0x34, 0x24, 0x40, 0x35, 0x25, 0x50, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE,
                                           0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE};
    EXPECT_EQ(out, expected);
}

TEST(SoftRaster, BadInputDrawsNothing) {
    TestTexture image = SmallImage(true);
    TestCanvas canvas(16, 16);
    const float nan = std::nanf("");
    const SoftQuad bad[] = {
        {{{nan, 0, 0, 0}, {8, 0, 1, 0}, {8, 8, 1, 1}, {0, 8, 0, 1}}},
        {{{0, 0, 0, 0}, {8, 0, 1e6f, 0}, {8, 8, 1e6f, 1}, {0, 8, 0, 1}}},           // texel coordinates too far
        {{{3, 3, 0, 0}, {3, 3, 1, 0}, {3, 3, 1, 1}, {3, 3, 0, 1}}},                 // no area
        {{{0, 0, 0, 0}, {1e30f, 0, 1, 0}, {1e30f, 1e30f, 1, 1}, {0, 1e30f, 0, 1}}}, // absurdly large
    };
    SoftDrawQuads(canvas.Surface(), &image.texture, canvas.State(BlendSolid), bad, 3);
    for (uint32_t p : canvas.pixels)
        ASSERT_EQ(p, 0xFF000000u);
    // A huge quad is still drawn, cut to the surface.
    SoftDrawQuads(canvas.Surface(), nullptr, canvas.State(BlendSolid, 0xFFFFFFFF), bad + 3, 1);
    EXPECT_EQ(canvas.At(15, 15), 0xFFFFFFFFu);
    canvas.pixels.assign(canvas.pixels.size(), 0xFF000000);
    SoftTexture empty;
    SoftDrawQuads(canvas.Surface(), &empty, canvas.State(BlendSolid), bad, 1);
    SoftDrawQuads(SoftSurface{}, &image.texture, canvas.State(BlendSolid), bad + 3, 1);
    SoftClear(SoftSurface{}, {0, 0, 5, 5}, 0);
    for (uint32_t p : canvas.pixels)
        ASSERT_EQ(p, 0xFF000000u);
}

} // namespace
