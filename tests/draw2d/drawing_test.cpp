// The drawing state and primitives on an offscreen software display: transform, images, blend
// modes, text, viewport clearing, and the first selection of a display.
#include "scene.h"
#include "tests/support/golden.h"

#include "draw2d/draw_context.h"
#include "draw2d/graphics.h"
#include "draw2d/soft/soft_driver.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

class DrawingTest : public ::testing::Test {
protected:
    void SetUp() override {
        SelectDriver(SoftwareDriver(), BackBufferFlag);
        graphics = OpenDisplay(160, 120, 0, 0, 0);
        ASSERT_TRUE(graphics);
    }
    void TearDown() override {
        CloseDisplay();
        SelectDriver(nullptr, 0);
    }

    uint32_t Pixel(int32_t x, int32_t y) {
        const PixmapPtr grab = GrabBackBuffer(x, y, 1, 1);
        return ReadPixel(*grab, 0, 0) & 0xFFFFFF;
    }

    static PixmapPtr Picture(int32_t w, int32_t h, uint32_t color, int32_t border) {
        return ScenePicture(w, h, color, border);
    }

    GraphicsPtr graphics;
};

} // namespace

TEST_F(DrawingTest, FirstSelectionSetsTheStartingState) {
    int32_t r, g, b, x, y, w, h;
    GetColor(r, g, b);
    EXPECT_EQ(r + g + b, 765);
    EXPECT_EQ(GetBlend(), BlendMask);
    EXPECT_EQ(GetAlpha(), 1.0f);
    GetViewport(x, y, w, h);
    EXPECT_EQ(w, 160);
    EXPECT_EQ(h, 120);
    EXPECT_EQ(DefaultImageFlags(), ImageMasked | ImageFiltered);
    EXPECT_FALSE(AutoCentreHandle());
    EXPECT_EQ(GetFont(), BuiltInFont());
    EXPECT_EQ(Pixel(80, 60), 0u);
}

TEST_F(DrawingTest, RotationNinetyTurnsTheLocalAxes) {
    SetRotation(90);
    float ix, iy, jx, jy;
    GetTransform(ix, iy, jx, jy);
    EXPECT_NEAR(ix, 0, 1e-6);
    EXPECT_EQ(jx, 1.0f);
    EXPECT_EQ(iy, -1.0f);
    EXPECT_NEAR(jy, 0, 1e-6);
    SetTransform(30, 2, 3);
    GetTransform(ix, iy, jx, jy);
    EXPECT_FLOAT_EQ(ix, static_cast<float>(std::cos(30 * 0.017453292519943295) * 2));
    EXPECT_FLOAT_EQ(iy, static_cast<float>(-std::sin(30 * 0.017453292519943295) * 3));
}

TEST_F(DrawingTest, CentredImageCoversItsBoxAndMaskedBlackStaysBehind) {
    SetClearColor(0, 0, 255);
    ClearBackBuffer();
    const ImagePtr image = LoadImage(Picture(64, 32, 0xFFFF8000u, 2), ImageMasked);
    ASSERT_TRUE(image);
    CentreImageHandle(*image);
    DrawImage(image, 80, 60);
    // The box runs 48..112 x 44..76; its black border is masked away and shows the blue clear.
    EXPECT_EQ(Pixel(50, 46), 0xFF8000u);
    EXPECT_EQ(Pixel(109, 73), 0xFF8000u);
    EXPECT_EQ(Pixel(48, 44), 0x0000FFu);
    EXPECT_EQ(Pixel(111, 75), 0x0000FFu);
    EXPECT_EQ(Pixel(47, 60), 0x0000FFu);
}

TEST_F(DrawingTest, AlphaBelowHalfHidesUnderMaskAndBlendsUnderAlpha) {
    SetClearColor(255, 255, 255);
    ClearBackBuffer();
    const ImagePtr image = LoadImage(Picture(8, 8, 0xFFFFFFFFu, 0), 0);
    SetColor(0, 0, 0);
    SetAlpha(0.3f);
    SetBlend(BlendMask);
    DrawImage(image, 10, 10);
    EXPECT_EQ(Pixel(12, 12), 0xFFFFFFu);
    // A shadow: black at alpha 0.3 (byte 76) over white leaves 255 * (1 - 76/255) = 179.
    SetBlend(BlendAlpha);
    DrawImage(image, 10, 10);
    const uint32_t shadow = Pixel(12, 12);
    EXPECT_NEAR(static_cast<int>(shadow & 0xFF), 179, 1);
    EXPECT_EQ(shadow & 0xFF, (shadow >> 16) & 0xFF);
}

TEST_F(DrawingTest, ClearOnlyTouchesTheViewport) {
    SetClearColor(0, 255, 0);
    SetViewport(10, 10, 20, 20);
    ClearBackBuffer();
    EXPECT_EQ(Pixel(10, 10), 0x00FF00u);
    EXPECT_EQ(Pixel(29, 29), 0x00FF00u);
    EXPECT_EQ(Pixel(30, 30), 0u);
    EXPECT_EQ(Pixel(9, 15), 0u);
    // Drawing is clipped to the viewport too.
    SetViewport(0, 0, 50, 50);
    SetBlend(BlendSolid);
    DrawImage(LoadImage(Picture(100, 100, 0xFFFF0000u, 0), 0), 0, 0);
    EXPECT_EQ(Pixel(49, 49), 0xFF0000u);
    EXPECT_EQ(Pixel(50, 49), 0u);
}

TEST_F(DrawingTest, TextWidthCountsEightPixelsPerPrintableCharacter) {
    EXPECT_EQ(TextWidth("Tepin "), 48);
    EXPECT_EQ(TextWidth("Red Thai"), 64);
    EXPECT_EQ(TextWidth("A\xE9"
                        "B\x01"),
              16);
    EXPECT_EQ(TextHeight(), 16);
}

TEST_F(DrawingTest, TextAtDoubleScaleIsBlockyAndAdvancesSixteen) {
    SetScale(2, 2);
    SetColor(255, 0, 0);
    DrawText("I", 0, 0);
    DrawText("I", 16, 40);
    // Every pixel is pure red or black: no filtering.
    const PixmapPtr grab = GrabBackBuffer(0, 0, 32, 72);
    int red = 0;
    for (int32_t y = 0; y < 72; ++y)
        for (int32_t x = 0; x < 32; ++x) {
            const uint32_t p = ReadPixel(*grab, x, y) & 0xFFFFFF;
            EXPECT_TRUE(p == 0 || p == 0xFF0000u) << x << "," << y;
            red += p != 0;
        }
    // Each 1x1 glyph pixel became a 2x2 block, so the count of red pixels is a multiple of 4.
    EXPECT_GT(red, 0);
    EXPECT_EQ(red % 4, 0);
    EXPECT_EQ(Pixel(16 + 33, 40 + 4), Pixel(33, 4));
}

TEST_F(DrawingTest, SceneMatchesGolden) {
    DrawGoldenScene();
    const PixmapPtr frame = GrabBackBuffer(0, 0, 160, 120);
    EXPECT_EQ(CompareWithGolden(*frame, "draw2d", "scene", 2), "");
}

TEST_F(DrawingTest, ABlendValueOutsideTheModesIsRecordedAndTheLastModeDraws) {
    SetClearColor(255, 255, 255);
    ClearBackBuffer();
    const ImagePtr image = LoadImage(Picture(8, 8, 0xFFFFFFFFu, 0), 0);
    SetColor(0, 0, 0);
    SetAlpha(0.3f);
    SetBlend(BlendAlpha);
    DrawImage(image, 10, 10);
    SetBlend(9);
    EXPECT_EQ(GetBlend(), 9);
    DrawImage(image, 10, 10);
    // Two shadows of alpha 76/255 over white: 255 * (1 - 76/255)^2 = 125.
    EXPECT_NEAR(static_cast<int>(Pixel(12, 12) & 0xFF), 125, 2);
    SetBlend(0);
    DrawImage(image, 30, 10);
    EXPECT_NEAR(static_cast<int>(Pixel(32, 12) & 0xFF), 179, 1);
}

TEST_F(DrawingTest, MipmappedButUnfilteredPicturesAreSampledFromTheTopLevel) {
    // A one-texel red and blue checkerboard: any smaller level mixes the two into purple.
    const PixmapPtr checker = CreatePixmap(64, 64, FormatRGBA8888);
    ASSERT_TRUE(checker);
    for (int32_t y = 0; y < 64; ++y)
        for (int32_t x = 0; x < 64; ++x)
            WritePixel(*checker, x, y, (x + y) % 2 ? 0xFFFF0000u : 0xFF0000FFu);
    SetBlend(BlendSolid);
    SetScale(0.25f, 0.25f);
    for (const int32_t flags : {int32_t{ImageMipmapped}, int32_t{ImageMipmapped | ImageFiltered}}) {
        const ImagePtr image = LoadImage(checker, flags);
        ASSERT_TRUE(image);
        DrawImage(image, 20, 20);
        const uint32_t pixel = Pixel(27, 27);
        if (flags & ImageFiltered)
            EXPECT_TRUE(pixel != 0xFF0000u && pixel != 0x0000FFu) << std::hex << pixel;
        else
            EXPECT_TRUE(pixel == 0xFF0000u || pixel == 0x0000FFu) << std::hex << pixel;
    }
}
