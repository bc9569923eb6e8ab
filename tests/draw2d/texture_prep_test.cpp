// Texture preparation: power-of-two layout, texture coordinates, edge extension and mipmaps.
#include <gtest/gtest.h>

#include "draw2d/image.h"
#include "draw2d/texture_prep.h"

TEST(TexturePrep, SizeAndCoordinatesOfAnOddImage) {
    PixmapPtr pixmap = CreatePixmap(65, 207, FormatRGB888, 4);
    const PreparedTexture texture = PrepareTexture(*pixmap, 0);
    EXPECT_EQ(texture.width, 128);
    EXPECT_EQ(texture.height, 256);
    EXPECT_EQ(texture.uMax, 0.5078125f);
    EXPECT_EQ(texture.vMax, 0.80859375f);
    ASSERT_EQ(texture.levels.size(), 1u);
    EXPECT_EQ(TextureSize(0), 1);
    EXPECT_EQ(TextureSize(1), 1);
    EXPECT_EQ(TextureSize(64), 64);
}

TEST(TexturePrep, ImageSitsTopLeftAsArgbWithOneExtendedColumnAndRow) {
    PixmapPtr pixmap = CreatePixmap(3, 2, FormatRGBA8888, 4);
    for (int32_t i = 0; i < 6; ++i)
        WritePixel(*pixmap, i % 3, i / 3, 0x80000000u + static_cast<uint32_t>(i));
    const PreparedTexture texture = PrepareTexture(*pixmap, ImageFiltered);
    const TextureLevel& top = texture.levels[0];
    ASSERT_EQ(top.width, 4);
    ASSERT_EQ(top.height, 2);
    EXPECT_EQ(top.pixels[0], 0x80000000u);
    EXPECT_EQ(top.pixels[4 + 2], 0x80000005u);
    EXPECT_EQ(top.pixels[3], 0x80000002u); // column 3 repeats column 2
    EXPECT_EQ(top.pixels[4 + 3], 0x80000005u);

    PixmapPtr tall = CreatePixmap(1, 5, FormatI8, 4);
    for (int32_t y = 0; y < 5; ++y)
        WritePixel(*tall, 0, y, 0xFF000000u | 0x010101u * static_cast<uint32_t>(y));
    const PreparedTexture tallTexture = PrepareTexture(*tall, 0);
    const TextureLevel& tallTop = tallTexture.levels[0];
    ASSERT_EQ(tallTop.height, 8);
    EXPECT_EQ(tallTop.pixels[5], 0xFF040404u); // row 5 repeats row 4
    EXPECT_EQ(tallTop.pixels[6], 0u);          // further rows are left clear without mipmaps
}

TEST(TexturePrep, MipmappedTexturesExtendToTheEdgeAndHalveDownToOne) {
    PixmapPtr pixmap = CreatePixmap(5, 3, FormatRGB888, 4);
    for (int32_t i = 0; i < 15; ++i)
        WritePixel(*pixmap, i % 5, i / 5, 0xFF204060);
    const PreparedTexture texture = PrepareTexture(*pixmap, ImageMipmapped);
    const TextureLevel& top = texture.levels[0];
    ASSERT_EQ(top.width, 8);
    ASSERT_EQ(top.height, 4);
    for (uint32_t texel : top.pixels)
        EXPECT_EQ(texel, 0xFF204060u);
    ASSERT_EQ(texture.levels.size(), 4u); // 8x4, 4x2, 2x1, 1x1
    EXPECT_EQ(texture.levels[2].width, 2);
    EXPECT_EQ(texture.levels[2].height, 1);
    EXPECT_EQ(texture.levels[3].width, 1);
    // Averaging a uniform colour keeps it (bit 3 of each halved byte adds one back where set).
    EXPECT_EQ(texture.levels[3].pixels[0], AveragePixels(0xFF204060u, 0xFF204060u));
}

TEST(TexturePrep, ByteWiseAverage) {
    // Halves added per byte; then bit 3 of each sum byte is added into its lowest bit.
    EXPECT_EQ(AveragePixels(0x00000000u, 0xFFFFFFFFu), 0x7F7F7F7Fu + 0x01010101u);
    EXPECT_EQ(AveragePixels(0x10203040u, 0x10203040u), 0x10203040u);
    // So a byte whose bit 3 is set creeps up by one per level: 0x18 -> 0x19.
    EXPECT_EQ(AveragePixels(0x18181818u, 0x18181818u), 0x19191919u);
    EXPECT_EQ(AveragePixels(0xFF000000u, 0x00000000u), 0x7F000000u + 0x01000000u);

    TextureLevel level{2, 2, {0xFF000000u, 0xFF080808u, 0xFF101010u, 0xFF181818u}};
    const TextureLevel half = HalveLevel(level);
    ASSERT_EQ(half.pixels.size(), 1u);
    // avg(avg(0, 8), avg(16, 24)) per colour byte: avg(4, 20) = 12 + bit 3 of 12 = 13.
    EXPECT_EQ(half.pixels[0], 0xFF0D0D0Du);
}
