// The OpenGL driver on this host's windows: the golden scene and the blend modes against the
// rasterizer's pictures, read-back orientation, clipping, runs merged into few draw calls.
#include "gl_test_host.h"
#include "scene.h"
#include "tests/support/golden.h"

#include "draw2d/draw_context.h"
#include "draw2d/gl/gl_driver.h"
#include "draw2d/graphics.h"
#include "draw2d/soft/soft_driver.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The GPU's filtering and blending round differently from the rasterizer: measured here at most 2
// of 255 per channel; 4 leaves room for other GL implementations and still catches a shifted
// texel, a wrong blend or a flipped picture.
constexpr int kSceneTolerance = 4;

class GlDriverTest : public ::testing::Test {
protected:
    void SetUp() override {
        SelectDriver(TestOpenGLDriver(), BackBufferFlag);
        graphics = OpenDisplay(160, 120, TestDisplayDepth(), 0, 0);
        ASSERT_TRUE(graphics) << "no GL 3.3 display (is DISPLAY set?)";
    }
    void TearDown() override {
        CloseDisplay();
        SelectDriver(nullptr, 0);
    }
    uint32_t Pixel(int32_t x, int32_t y) {
        const PixmapPtr grab = GrabBackBuffer(x, y, 1, 1);
        return ReadPixel(*grab, 0, 0) & 0xFFFFFF;
    }
    static ImagePtr Square(int32_t side, uint32_t colour, int32_t flags) {
        return LoadImage(ScenePicture(side, side, colour, 0), flags);
    }
    GraphicsPtr graphics;
};

} // namespace

TEST_F(GlDriverTest, SceneMatchesTheRasterizersGolden) {
    DrawGoldenScene();
    const PixmapPtr frame = GrabBackBuffer(0, 0, 160, 120);
    EXPECT_EQ(CompareWithGolden(*frame, "draw2d", "scene", kSceneTolerance), "");
}

TEST_F(GlDriverTest, ReadBackIsTopDownAndOutsideIsBlack) {
    SetClearColor(0, 0, 255);
    ClearBackBuffer();
    DrawImage(Square(4, 0xFFFF0000u, 0), 0, 0);
    EXPECT_EQ(Pixel(0, 0), 0xFF0000u);
    EXPECT_EQ(Pixel(3, 3), 0xFF0000u);
    EXPECT_EQ(Pixel(4, 4), 0x0000FFu);
    EXPECT_EQ(Pixel(159, 119), 0x0000FFu);
    const PixmapPtr edge = GrabBackBuffer(158, 118, 4, 4);
    EXPECT_EQ(ReadPixel(*edge, 1, 1) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(ReadPixel(*edge, 2, 2) & 0xFFFFFF, 0u);
}

TEST_F(GlDriverTest, BlendModesFollowTheirFactors) {
    SetClearColor(100, 100, 100);
    ClearBackBuffer();
    const ImagePtr white = Square(8, 0xFFFFFFFFu, 0);
    SetColor(200, 100, 50);
    SetAlpha(0.3f);
    SetBlend(BlendMask);
    DrawImage(white, 0, 0); // modulated alpha 76 < 128: nothing
    SetBlend(BlendAlpha);
    DrawImage(white, 10, 0);
    SetBlend(BlendLight);
    DrawImage(white, 20, 0);
    SetAlpha(1);
    SetBlend(BlendShade);
    DrawImage(white, 30, 0);
    SetBlend(BlendSolid);
    DrawImage(white, 40, 0);
    EXPECT_EQ(Pixel(4, 4), 0x646464u);
    // 0.298 * 200 + 0.702 * 100 = 129.8 and so on: within one step of rounding.
    const uint32_t alpha = Pixel(14, 4);
    EXPECT_NEAR(static_cast<int>(alpha >> 16), 130, 1);
    EXPECT_NEAR(static_cast<int>(alpha & 0xFF), 85, 1);
    const uint32_t light = Pixel(24, 4);
    EXPECT_NEAR(static_cast<int>(light >> 16), 160, 1);
    EXPECT_NEAR(static_cast<int>((light >> 8) & 0xFF), 130, 1);
    const uint32_t shade = Pixel(34, 4);
    EXPECT_NEAR(static_cast<int>(shade >> 16), 78, 1);
    EXPECT_NEAR(static_cast<int>(shade & 0xFF), 20, 1);
    EXPECT_EQ(Pixel(44, 4), 0xC86432u);
}

TEST_F(GlDriverTest, ViewportClipsDrawingAndClearing) {
    SetClearColor(0, 0, 0);
    ClearBackBuffer();
    SetViewport(10, 10, 20, 20);
    SetClearColor(0, 255, 0);
    ClearBackBuffer();
    SetBlend(BlendSolid);
    DrawImage(Square(64, 0xFFFF0000u, 0), 20, 20);
    EXPECT_EQ(Pixel(9, 9), 0u);
    EXPECT_EQ(Pixel(10, 10), 0x00FF00u);
    EXPECT_EQ(Pixel(29, 29), 0xFF0000u);
    EXPECT_EQ(Pixel(30, 30), 0u);
    EXPECT_EQ(Pixel(25, 35), 0u);
}

TEST_F(GlDriverTest, PicturesOfOneSizeShareADrawCallUntilTheBlendChanges) {
    SetBlend(BlendAlpha);
    const ImagePtr images[] = {Square(30, 0xFFFF0000u, 7), Square(30, 0xFF00FF00u, 7), Square(40, 0xFF0000FFu, 7)};
    for (int i = 0; i < 2; ++i)
        DrawImage(images[i], 0, 0); // textures made before counting
    DrawImage(images[2], 0, 0);
    Flip(0);
    const uint64_t before = OpenGLDrawCallCount();
    for (int i = 0; i < 100; ++i) {
        SetColor(255, i, 255);
        SetRotation(static_cast<float>(i));
        DrawImage(images[i % 2], static_cast<float>(i), 40);
    }
    Flip(0);
    EXPECT_EQ(OpenGLDrawCallCount() - before, 1u);
    for (int i = 0; i < 10; ++i) {
        SetBlend(i % 2 ? BlendAlpha : BlendLight);
        DrawImage(images[0], 0, 0);
    }
    DrawImage(images[2], 0, 0); // 64 x 64: another array texture
    Flip(0);
    EXPECT_EQ(OpenGLDrawCallCount() - before, 12u);
}

TEST_F(GlDriverTest, LayersStayApartAndAreReusedAfterRelease) {
    SetBlend(BlendSolid);
    {
        const ImagePtr red = Square(16, 0xFFFF0000u, 0);
        DrawImage(red, 0, 0);
    }
    const ImagePtr green = Square(16, 0xFF00FF00u, 0);
    const ImagePtr blue = Square(16, 0xFF0000FFu, 0);
    DrawImage(green, 20, 0);
    DrawImage(blue, 40, 0);
    EXPECT_EQ(Pixel(5, 5), 0xFF0000u);
    EXPECT_EQ(Pixel(25, 5), 0x00FF00u);
    EXPECT_EQ(Pixel(45, 5), 0x0000FFu);
}

namespace {

// Masked and blended pictures alternating are one upload and two draw calls (the opaque quads, then
// the blended ones), and a masked picture still replaces the pixel outright where its modulated
// alpha reaches one half.
TEST_F(GlDriverTest, MaskedAndBlendedPicturesShareAnUploadAndKeepTheirOwnPixels) {
    SetClearColor(100, 100, 100);
    ClearBackBuffer();
    const ImagePtr white = Square(8, 0xFFFFFFFFu, 0);
    DrawImage(white, 100, 100); // texture made before counting
    Flip(0);
    ClearBackBuffer();
    const uint64_t before = OpenGLDrawCallCount();
    SetColor(200, 100, 50);
    for (int i = 0; i < 6; ++i) {
        SetBlend(i % 2 ? BlendAlpha : BlendMask);
        SetAlpha(i < 2 ? 0.6f : (i < 4 ? 0.3f : 1.0f));
        DrawImage(white, static_cast<float>(10 * i), 0);
    }
    EXPECT_EQ(Pixel(4, 4), 0xC86432u);  // masked at alpha 0.6: the source itself
    EXPECT_EQ(Pixel(24, 4), 0x646464u); // masked at alpha 0.3: nothing
    EXPECT_EQ(Pixel(44, 4), 0xC86432u);
    const uint32_t blended = Pixel(14, 4); // 0.6 * 200 + 0.4 * 100 = 160
    EXPECT_NEAR(static_cast<int>(blended >> 16), 160, 1);
    EXPECT_NEAR(static_cast<int>(blended & 0xFF), 70, 1);
    EXPECT_EQ(OpenGLDrawCallCount() - before, 2u);
}

// Overlapping squares in every blend mode, in an order where each kind lands over and under each
// other kind: whichever order the driver sends them in, the picture must be the in-order one.
void DrawPile(int32_t squares) {
    SetClearColor(40, 40, 40);
    ClearBackBuffer();
    PixmapPtr holed = ScenePicture(24, 24, 0xFFFFFFFFu, 0);
    for (int32_t y = 8; y < 16; ++y)
        for (int32_t x = 8; x < 16; ++x)
            WritePixel(*holed, x, y, 0x40FFFFFFu); // masked out, blends faintly
    const ImagePtr picture = LoadImage(holed, 0);
    const int32_t blends[] = {BlendMask, BlendAlpha, BlendSolid, BlendLight, BlendMask, BlendShade};
    for (int32_t i = 0; i < squares; ++i) {
        const int32_t blend = blends[(i * 7 / 3) % 6];
        SetBlend(blend);
        SetColor((i * 53) % 256, (i * 97) % 256, (i * 31) % 256);
        SetAlpha(blend == BlendAlpha ? 0.5f : 1.0f);
        DrawImage(picture, static_cast<float>((i * 37) % 140), static_cast<float>((i * 23) % 100));
    }
}

PixmapPtr PileDrawnBy(DrawDriverPtr driver, int32_t squares, int32_t depth) {
    SelectDriver(std::move(driver), BackBufferFlag);
    PixmapPtr frame;
    if (OpenDisplay(160, 120, depth, 0, 0)) {
        DrawPile(squares);
        frame = GrabBackBuffer(0, 0, 160, 120);
    }
    CloseDisplay();
    SelectDriver(nullptr, 0);
    return frame;
}

TEST(GlDepthOrder, APileInEveryBlendModeMatchesTheRasterizer) {
    const PixmapPtr expected = PileDrawnBy(SoftwareDriver(), 400, 0);
    ASSERT_TRUE(expected);
    // Full precision; 10 bits hold 255 quads, so the 400 go in two stretches with a clear between;
    // no depth buffer at all draws in order.
    for (int32_t bits : {24, 10, 0}) {
        const PixmapPtr drawn = PileDrawnBy(TestOpenGLDriver(bits), 400, TestDisplayDepth());
        ASSERT_TRUE(drawn) << "no GL 3.3 display (is DISPLAY set?)";
        EXPECT_EQ(ComparePictures(*drawn, *expected, "pile" + std::to_string(bits), kSceneTolerance), "")
            << bits << " bits of depth";
    }
}

} // namespace
