// Pixmaps: the pitch rule, size limits, per-format pixel access, conversion, windows and masking.
#include <gtest/gtest.h>

#include "draw2d/pixmap.h"

namespace {

PixmapPtr Filled(int32_t width, int32_t height, int32_t format, uint32_t argb) {
    PixmapPtr pixmap = CreatePixmap(width, height, format, 4);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            WritePixel(*pixmap, x, y, argb);
    return pixmap;
}

} // namespace

TEST(Pixmap, PitchRoundsRowBytesUpToTheAlignment) {
    EXPECT_EQ(CreatePixmap(3, 2, FormatRGB888, 4)->pitch, 12);
    EXPECT_EQ(CreatePixmap(3, 2, FormatRGBA8888, 4)->pitch, 12);
    const PixmapPtr gray = CreatePixmap(5, 1, FormatI8, 4);
    EXPECT_EQ(gray->pitch, 8);
    EXPECT_EQ(gray->capacity, 8);
    EXPECT_EQ(CreatePixmap(3, 2, FormatRGB888, 1)->pitch, 9);
}

TEST(Pixmap, RefusesSizesBeyondTheLimitsBeforeAllocating) {
    EXPECT_EQ(CreatePixmap(-1, 4, FormatI8, 4), nullptr);
    EXPECT_EQ(CreatePixmap(kMaxPixmapSide + 1, 1, FormatI8, 4), nullptr);
    EXPECT_EQ(CreatePixmap(1, kMaxPixmapSide + 1, FormatI8, 4), nullptr);
    // 16384 x 16384 x 4 bytes would pass a side check but not the byte limit.
    EXPECT_EQ(CreatePixmap(kMaxPixmapSide, kMaxPixmapSide, FormatRGBA8888, 4), nullptr);
    const PixmapPtr empty = CreatePixmap(0, 0, FormatRGBA8888, 4);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->capacity, 0);
}

TEST(Pixmap, EachFormatReadsBackWhatItCanHold) {
    struct Case {
        int32_t format;
        uint32_t written, read;
    };
    const Case cases[] = {
        {FormatI8, 0xFF102030, 0xFF202020},     // (16 + 32 + 48) / 3 = 32
        {FormatA8, 0x80102030, 0x80FFFFFF},     // only alpha is kept
        {FormatBGR888, 0x80FF0000, 0xFFFF0000}, // alpha is lost
        {FormatRGB888, 0x80123456, 0xFF123456},   {FormatBGRA8888, 0x80123456, 0x80123456},
        {FormatRGBA8888, 0x80123456, 0x80123456},
    };
    for (const Case& c : cases) {
        PixmapPtr pixmap = CreatePixmap(2, 2, c.format, 4);
        WritePixel(*pixmap, 1, 1, c.written);
        EXPECT_EQ(ReadPixel(*pixmap, 1, 1), c.read) << "format " << c.format;
    }
}

TEST(Pixmap, MemoryOrderOfEachFormat) {
    PixmapPtr bgr = Filled(1, 1, FormatBGR888, 0xFF112233);
    EXPECT_EQ(bgr->pixels[0], 0x33);
    EXPECT_EQ(bgr->pixels[2], 0x11);
    PixmapPtr rgba = Filled(1, 1, FormatRGBA8888, 0x44112233);
    EXPECT_EQ(rgba->pixels[0], 0x11);
    EXPECT_EQ(rgba->pixels[3], 0x44);
    PixmapPtr bgra = Filled(1, 1, FormatBGRA8888, 0x44112233);
    EXPECT_EQ(bgra->pixels[0], 0x33);
    EXPECT_EQ(bgra->pixels[3], 0x44);
}

TEST(Pixmap, ConversionGoesThroughRgba) {
    PixmapPtr source = CreatePixmap(3, 2, FormatRGBA8888, 4);
    const uint32_t colours[] = {0x80102030, 0xFFFFFFFF, 0x00000000, 0x7F010203, 0xFF808080, 0x12345678};
    for (int32_t i = 0; i < 6; ++i)
        WritePixel(*source, i % 3, i / 3, colours[i]);

    for (int32_t format = FormatI8; format <= FormatRGBA8888; ++format) {
        PixmapPtr converted = ConvertPixmap(*source, format);
        ASSERT_NE(converted, nullptr);
        EXPECT_EQ(converted->format, format);
        for (int32_t i = 0; i < 6; ++i) {
            // Writing a pixel by hand must agree with the row conversion.
            PixmapPtr single = Filled(1, 1, format, colours[i]);
            EXPECT_EQ(ReadPixel(*converted, i % 3, i / 3), ReadPixel(*single, 0, 0)) << "format " << format;
        }
        // And back: a format with alpha and colour keeps everything.
        PixmapPtr back = ConvertPixmap(*converted, FormatRGBA8888);
        if (format >= FormatBGRA8888) {
            for (int32_t i = 0; i < 6; ++i)
                EXPECT_EQ(ReadPixel(*back, i % 3, i / 3), colours[i]);
        }
    }
    // Between two formats that are not RGBA, through the temporary row.
    PixmapPtr bgr = ConvertPixmap(*ConvertPixmap(*source, FormatRGB888), FormatBGR888);
    EXPECT_EQ(ReadPixel(*bgr, 0, 0), 0xFF102030u);
}

TEST(Pixmap, WindowsShareTheMemoryAndOutliveTheirOwnerHandle) {
    PixmapPtr pixmap = Filled(4, 4, FormatRGB888, 0xFF000000);
    PixmapPtr window = PixmapWindow(pixmap, 1, 2, 2, 2);
    EXPECT_EQ(window->capacity, -1);
    EXPECT_EQ(window->pitch, pixmap->pitch);
    WritePixel(*window, 1, 1, 0xFFABCDEF);
    EXPECT_EQ(ReadPixel(*pixmap, 2, 3), 0xFFABCDEFu);
    pixmap.reset();
    EXPECT_EQ(ReadPixel(*window, 1, 1), 0xFFABCDEFu);

    PixmapPtr copy = CopyPixmap(*window);
    EXPECT_NE(copy->pixels, window->pixels);
    EXPECT_EQ(copy->capacity, copy->pitch * 2);
    EXPECT_EQ(ReadPixel(*copy, 1, 1), 0xFFABCDEFu);
}

TEST(Pixmap, PasteClipsToTheTarget) {
    PixmapPtr target = Filled(3, 3, FormatRGBA8888, 0);
    PixmapPtr source = Filled(2, 2, FormatRGB888, 0xFF112233);
    PastePixmap(*source, *target, 2, -1);
    EXPECT_EQ(ReadPixel(*target, 2, 0), 0xFF112233u);
    EXPECT_EQ(ReadPixel(*target, 2, 1), 0u);
    EXPECT_EQ(ReadPixel(*target, 1, 0), 0u);
}

TEST(MaskPixmap, MaskedPixelsTakeTheAverageOfUnmaskedNeighbours) {
    PixmapPtr pixmap = Filled(3, 3, FormatRGB888, 0xFF1E3C5A); // (30, 60, 90)
    WritePixel(*pixmap, 1, 1, 0xFF000000);
    PixmapPtr masked = MaskPixmap(*pixmap, 0, 0, 0);
    EXPECT_EQ(masked->format, FormatRGBA8888);
    EXPECT_EQ(ReadPixel(*masked, 1, 1), 0x001E3C5Au);
    for (int32_t i = 0; i < 9; ++i) {
        if (i == 4) continue;
        EXPECT_EQ(ReadPixel(*masked, i % 3, i / 3), 0xFF1E3C5Au);
    }
}

TEST(MaskPixmap, AveragesDivideByTheCountAndLoneMaskedPixelsGoBlack) {
    // Corner (0, 0) is masked; its neighbours are (0,1) masked, (1,0) = 10, (1,1) = 21.
    PixmapPtr pixmap = Filled(3, 2, FormatRGBA8888, 0xFF000000);
    WritePixel(*pixmap, 1, 0, 0xFF0A0A0A);
    WritePixel(*pixmap, 1, 1, 0x10151515);
    PixmapPtr masked = MaskPixmap(*pixmap, 0, 0, 0);
    EXPECT_EQ(ReadPixel(*masked, 0, 0), 0x000F0F0Fu); // (10 + 21) / 2 = 15
    EXPECT_EQ(ReadPixel(*masked, 1, 1), 0xFF151515u); // unmasked pixels become opaque

    PixmapPtr allMask = Filled(2, 2, FormatBGR888, 0xFF405060);
    PixmapPtr clear = MaskPixmap(*allMask, 0x40, 0x50, 0x60);
    EXPECT_EQ(ReadPixel(*clear, 1, 1), 0u);
}
