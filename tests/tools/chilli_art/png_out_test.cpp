// Encoding: palette quantisation keeps black for the background only, and limits the palette.
#include "png_out.h"

#include "decoded_png.h"

#include <gtest/gtest.h>

namespace {

using chilli_art::Encode;
using chilli_art::Image;
using chilli_art::PixelKind;

// A gradient with far more than 256 colours, a transparent border, and faint near-black edge pixels.
Image ManyColours() {
    Image image;
    image.width = 64;
    image.height = 64;
    image.rgba.assign(64 * 64 * 4, 0);
    for (int y = 1; y < 63; ++y)
        for (int x = 1; x < 63; ++x) {
            uint8_t* p = &image.rgba[static_cast<size_t>(y * 64 + x) * 4];
            p[0] = static_cast<uint8_t>(x * 4), p[1] = static_cast<uint8_t>(y * 4),
            p[2] = static_cast<uint8_t>((x + y) * 2);
            p[3] = 255;
        }
    // A pod pixel of (0, 0, 1): the darkest colour that is not black.
    image.rgba[(10 * 64 + 1) * 4 + 0] = 0, image.rgba[(10 * 64 + 1) * 4 + 1] = 0, image.rgba[(10 * 64 + 1) * 4 + 2] = 1;
    return image;
}

TEST(Encode, PaletteKeepsBlackForTheBackgroundAndNeverForThePod) {
    Image image = ManyColours();
    chilli_art::Encoded encoded = Encode(image, PixelKind::Palette);
    ASSERT_LE(encoded.palette.size(), 256u * 3);
    ASSERT_GE(encoded.palette.size(), 3u);
    EXPECT_EQ(encoded.palette[0] | encoded.palette[1] | encoded.palette[2], 0);
    for (size_t i = 3; i < encoded.palette.size(); i += 3)
        EXPECT_NE(encoded.palette[i] | encoded.palette[i + 1] | encoded.palette[i + 2], 0) << "entry " << i / 3;
    for (size_t i = 0; i < encoded.pixels.size(); ++i) {
        bool pod = image.rgba[i * 4 + 3] != 0;
        EXPECT_EQ(encoded.pixels[i] != 0, pod) << "pixel " << i;
    }
    // The decoded file says the same.
    std::vector<uint8_t> bytes = chilli_art::WritePng(encoded);
    DecodedPng png = DecodePng(bytes.data(), bytes.size());
    ASSERT_TRUE(png.ok);
    EXPECT_EQ(png.paletteSize, static_cast<int>(encoded.palette.size() / 3));
    EXPECT_FALSE(png.hasTransparencyChunk);
}

TEST(Encode, PaletteColoursStayCloseToTheOriginal) {
    Image image = ManyColours();
    chilli_art::Encoded encoded = Encode(image, PixelKind::Palette);
    int worst = 0;
    for (size_t i = 0; i < encoded.pixels.size(); ++i) {
        if (image.rgba[i * 4 + 3] == 0) continue;
        const uint8_t* q = &encoded.palette[encoded.pixels[i] * 3u];
        for (int k = 0; k < 3; ++k)
            worst = std::max(worst, std::abs(q[k] - image.rgba[i * 4 + static_cast<size_t>(k)]));
    }
    EXPECT_LE(worst, 24);
}

TEST(Encode, RgbFlattensPartialCoverageTowardBlack) {
    Image image;
    image.width = 2;
    image.height = 1;
    image.rgba = {200, 100, 50, 255, 200, 100, 50, 64};
    chilli_art::Encoded encoded = Encode(image, PixelKind::Rgb);
    EXPECT_EQ(encoded.pixels, (std::vector<uint8_t>{200, 100, 50, 50, 25, 13}));
}

} // namespace
