// PNG reading and writing: colour types and their formats, masking on load, round trips of every
// format, the BGR screenshot path, and one check of our output by an independent reader.
#include <gtest/gtest.h>

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "draw2d/image.h"
#include "draw2d/pixmap_load.h"
#include "draw2d/png_io.h"
#include "draw2d/stream.h"
#include "png_fixture.h"

namespace {

PixmapPtr Load(const std::vector<uint8_t>& bytes) {
    return LoadPixmap(OpenMemoryStream(bytes.data(), bytes.size()));
}

// A 4 x 2 palette picture: black, red, green, blue on top, blue, green, red, black below.
PngFixture PalettePicture() {
    PngFixture f;
    f.width = 4, f.height = 2, f.colorType = PNG_COLOR_TYPE_PALETTE;
    f.palette = {0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255};
    f.samples = {0, 1, 2, 3, 3, 2, 1, 0};
    return f;
}

std::string TempPath(const std::string& name) {
    return std::string(CAPSARO_BINARY_DIR) + "/" + name;
}

} // namespace

TEST(PngLoad, PaletteLoadsAsRgbAndMasksItsBlackWithFlagsSeven) {
    const auto bytes = EncodePng(PalettePicture());
    PixmapPtr pixmap = Load(bytes);
    ASSERT_NE(pixmap, nullptr);
    EXPECT_EQ(pixmap->format, FormatRGB888);
    EXPECT_EQ(ReadPixel(*pixmap, 1, 0), 0xFFFF0000u);
    EXPECT_EQ(ReadPixel(*pixmap, 3, 1), 0xFF000000u);

    SetMaskColor(0, 0, 0);
    ImagePtr image = LoadImage(pixmap, 7);
    ASSERT_NE(image, nullptr);
    const TPixmap& stored = *image->pixmaps[0];
    EXPECT_EQ(stored.format, FormatRGBA8888);
    EXPECT_EQ(ReadPixel(stored, 0, 0) >> 24, 0u);
    EXPECT_EQ(ReadPixel(stored, 3, 1) >> 24, 0u);
    EXPECT_EQ(ReadPixel(stored, 1, 0), 0xFFFF0000u);
}

TEST(PngLoad, RgbaIsKeptAsItIsEvenWhenMasked) {
    PngFixture f;
    f.width = f.height = 128, f.colorType = PNG_COLOR_TYPE_RGB_ALPHA;
    f.samples.assign(128 * 128 * 4, 0); // black, fully clear: masking must not touch it
    f.samples[4 * 5 + 3] = 200;
    const auto bytes = EncodePng(f);
    PixmapPtr pixmap = Load(bytes);
    ASSERT_NE(pixmap, nullptr);
    EXPECT_EQ(pixmap->format, FormatRGBA8888);
    ImagePtr image = LoadImage(pixmap, 7);
    EXPECT_EQ(image->pixmaps[0], pixmap);
    EXPECT_EQ(ReadPixel(*pixmap, 5, 0), 0xC8000000u);
}

TEST(PngLoad, GrayAndExpandedTypesMapToTheirFormats) {
    PngFixture gray;
    gray.width = 2, gray.height = 1, gray.colorType = PNG_COLOR_TYPE_GRAY, gray.samples = {7, 250};
    PixmapPtr i8 = Load(EncodePng(gray));
    ASSERT_NE(i8, nullptr);
    EXPECT_EQ(i8->format, FormatI8);
    EXPECT_EQ(ReadPixel(*i8, 1, 0), 0xFFFAFAFAu);

    PngFixture grayAlpha;
    grayAlpha.width = 3, grayAlpha.height = 1, grayAlpha.colorType = PNG_COLOR_TYPE_GRAY_ALPHA;
    grayAlpha.samples = {10, 20, 30, 40, 50, 60};
    PixmapPtr ga = Load(EncodePng(grayAlpha));
    ASSERT_NE(ga, nullptr);
    EXPECT_EQ(ga->format, FormatRGBA8888);
    EXPECT_EQ(ReadPixel(*ga, 0, 0), 0x140A0A0Au);
    EXPECT_EQ(ReadPixel(*ga, 2, 0), 0x3C323232u);

    // 16-bit samples are cut to their high byte.
    PngFixture deep;
    deep.width = 1, deep.height = 1, deep.colorType = PNG_COLOR_TYPE_RGB, deep.bitDepth = 16;
    deep.samples = {0x12, 0xFF, 0x34, 0x00, 0x56, 0x80};
    PixmapPtr rgb = Load(EncodePng(deep));
    ASSERT_NE(rgb, nullptr);
    EXPECT_EQ(rgb->format, FormatRGB888);
    EXPECT_EQ(ReadPixel(*rgb, 0, 0), 0xFF123456u);

    // A palette with a transparency chunk gains alpha; 2-bit gray is widened to 8 bits.
    PngFixture clearPalette = PalettePicture();
    clearPalette.trns = {0};
    PixmapPtr withAlpha = Load(EncodePng(clearPalette));
    ASSERT_NE(withAlpha, nullptr);
    EXPECT_EQ(withAlpha->format, FormatRGBA8888);
    EXPECT_EQ(ReadPixel(*withAlpha, 0, 0), 0x00000000u);
    EXPECT_EQ(ReadPixel(*withAlpha, 2, 0), 0xFF00FF00u);

    PngFixture lowGray;
    lowGray.width = 4, lowGray.height = 1, lowGray.colorType = PNG_COLOR_TYPE_GRAY, lowGray.bitDepth = 2;
    lowGray.samples = {0x1B}; // 0, 1, 2, 3
    PixmapPtr widened = Load(EncodePng(lowGray));
    ASSERT_NE(widened, nullptr);
    EXPECT_EQ(ReadPixel(*widened, 1, 0), 0xFF555555u);
    EXPECT_EQ(ReadPixel(*widened, 3, 0), 0xFFFFFFFFu);
}

TEST(PngLoad, InterlacedPicturesLoadTheSameAsPlainOnes) {
    PngFixture f;
    f.width = 9, f.height = 7, f.colorType = PNG_COLOR_TYPE_RGB;
    for (int i = 0; i < 9 * 7 * 3; ++i)
        f.samples.push_back(static_cast<uint8_t>(i * 7));
    PixmapPtr plain = Load(EncodePng(f));
    f.interlaced = true;
    PixmapPtr interlaced = Load(EncodePng(f));
    ASSERT_NE(plain, nullptr);
    ASSERT_NE(interlaced, nullptr);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 9; ++x)
            EXPECT_EQ(ReadPixel(*plain, x, y), ReadPixel(*interlaced, x, y));
}

TEST(PngSave, EveryFormatSurvivesASaveAndLoad) {
    const std::string path = TempPath("png_round_trip.png");
    for (int32_t format = FormatI8; format <= FormatRGBA8888; ++format) {
        PixmapPtr pixmap = CreatePixmap(5, 3, format, 4);
        for (int32_t y = 0; y < 3; ++y)
            for (int32_t x = 0; x < 5; ++x)
                WritePixel(*pixmap, x, y,
                           static_cast<uint32_t>(0x40 * y + x) << 24 | 0x102030u * static_cast<uint32_t>(x + 5 * y));
        ASSERT_EQ(SavePixmapPng(*pixmap, path, 9), 1) << "format " << format;
        PixmapPtr loaded = LoadPixmap(path);
        ASSERT_NE(loaded, nullptr) << "format " << format;
        for (int32_t y = 0; y < 3; ++y)
            for (int32_t x = 0; x < 5; ++x)
                EXPECT_EQ(ReadPixel(*loaded, x, y), ReadPixel(*pixmap, x, y)) << "format " << format;
    }
    std::remove(path.c_str());
}

TEST(PngSave, BgrPixmapsAreWrittenAsRgbWithoutAlpha) {
    PixmapPtr shot = CreatePixmap(2, 2, FormatBGR888, 4);
    for (int32_t i = 0; i < 4; ++i)
        WritePixel(*shot, i % 2, i / 2, 0xFF00FF00);
    shot->pixels[0] = 0, shot->pixels[1] = 0, shot->pixels[2] = 255;
    const std::string path = TempPath("png_bgr.png");
    ASSERT_EQ(SavePixmapPng(*shot, path, 5), 1);
    PixmapPtr loaded = LoadPixmap(path);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->format, FormatRGB888);
    EXPECT_EQ(loaded->pixels[0], 255);
    EXPECT_EQ(loaded->pixels[2], 0);
    EXPECT_EQ(ReadPixel(*loaded, 1, 1), 0xFF00FF00u);
    std::remove(path.c_str());
}

TEST(PngSave, ReturnsZeroWhenTheTargetCannotBeOpenedOrWritten) {
    PixmapPtr pixmap = CreatePixmap(2, 2, FormatRGB888, 4);
    EXPECT_EQ(SavePixmapPng(*pixmap, TempPath("no/such/dir/x.png"), 5), 0);
    EXPECT_EQ(SavePixmapPng(*pixmap, "incbin::x.png", 5), 0);
    // /dev/full accepts the open but fails every write.
    EXPECT_EQ(SavePixmapPng(*pixmap, "/dev/full", 5), 0);
}

// An independent reader (ImageMagick) agrees on the screenshot's type and colours.
TEST(PngSave, IndependentReaderSeesAnEightBitRgbPicture) {
    if (std::system("command -v identify >/dev/null 2>&1") != 0) GTEST_SKIP() << "ImageMagick is not installed";
    PixmapPtr shot = CreatePixmap(3, 2, FormatBGR888, 4);
    for (int32_t i = 0; i < 6; ++i)
        WritePixel(*shot, i % 3, i / 3, 0xFF0000FF);
    WritePixel(*shot, 0, 0, 0xFFFF0000);
    const std::string path = TempPath("png_independent.png");
    ASSERT_EQ(SavePixmapPng(*shot, path, 5), 1);

    const std::string command =
        "identify -format '%w %h %z %[channels] %[pixel:p{0,0}] %[pixel:p{2,1}]' '" + path + "' 2>&1";
    std::FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    char buffer[256] = {};
    const size_t n = std::fread(buffer, 1, sizeof buffer - 1, pipe);
    EXPECT_EQ(pclose(pipe), 0);
    const std::string output(buffer, n);
    // Width, height, bit depth, channels without alpha, then red at the first pixel and blue at the last.
    EXPECT_EQ(output, "3 2 8 srgb srgb(255,0,0) srgb(0,0,255)");
    std::remove(path.c_str());
}
