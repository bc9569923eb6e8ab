// Images: flags and defaults, handles, kept pixmaps, and textures re-made per display sequence.
#include <gtest/gtest.h>

#include "draw2d/display_sequence.h"
#include "draw2d/image.h"

namespace {

struct CountingTexture : DriverTexture {
    explicit CountingTexture(int* alive) : alive_(alive) { ++*alive_; }
    ~CountingTexture() override { --*alive_; }
    int* alive_;
};

PixmapPtr BlackAndWhite() {
    PixmapPtr pixmap = CreatePixmap(4, 2, FormatRGB888, 4);
    for (int32_t i = 0; i < 8; ++i)
        WritePixel(*pixmap, i % 4, i / 4, i % 2 ? 0xFFFFFFFF : 0xFF000000);
    return pixmap;
}

// Leaves the layer-wide settings as a fresh process has them.
class ImageTest : public ::testing::Test {
protected:
    void TearDown() override {
        SetMaskColor(0, 0, 0);
        SetAutoCentreHandle(false);
        SetDefaultImageFlags(0);
    }
};

} // namespace

TEST_F(ImageTest, MinusOneMeansTheDefaultFlags) {
    EXPECT_EQ(LoadImage(BlackAndWhite(), -1)->flags, 0);
    SetDefaultImageFlags(3);
    SetDefaultImageFlags(-1); // leaves them unchanged
    ImagePtr image = LoadImage(BlackAndWhite(), -1);
    EXPECT_EQ(image->flags, 3);
    EXPECT_EQ(image->pixmaps[0]->format, FormatRGBA8888); // masked, since 3 includes ImageMasked
    EXPECT_EQ(CreateImage(8, 8, 2, -1)->flags, 3 | ImageDynamic);
    EXPECT_EQ(CreateImage(8, 8, 2, 0)->flags, ImageDynamic);
}

TEST_F(ImageTest, UnmaskedPixmapsAreKeptNotCopied) {
    PixmapPtr pixmap = BlackAndWhite();
    ImagePtr image = LoadImage(pixmap, ImageFiltered);
    EXPECT_EQ(image->pixmaps[0], pixmap);
    EXPECT_EQ(image->width, 4);
    EXPECT_EQ(image->height, 2);
    EXPECT_EQ(LoadImage(PixmapPtr{}, 0), nullptr);
}

TEST_F(ImageTest, MaskUsesTheCurrentMaskColour) {
    SetMaskColor(255, 255, 255);
    ImagePtr image = LoadImage(BlackAndWhite(), ImageMasked);
    EXPECT_EQ(image->maskR, 255);
    EXPECT_EQ(ReadPixel(*image->pixmaps[0], 1, 0) >> 24, 0u);
    EXPECT_EQ(ReadPixel(*image->pixmaps[0], 0, 0) >> 24, 0xFFu);
}

TEST_F(ImageTest, HandlesAndAutoCentring) {
    ImagePtr plain = LoadImage(BlackAndWhite(), 0);
    EXPECT_EQ(plain->handleX, 0.0f);
    SetAutoCentreHandle(true);
    ImagePtr centred = LoadImage(CreatePixmap(5, 3, FormatI8, 4), 0);
    EXPECT_EQ(centred->handleX, 2.5f);
    EXPECT_EQ(centred->handleY, 1.5f);
    SetImageHandle(*centred, -1.0f, 7.0f);
    EXPECT_EQ(centred->handleX, -1.0f);
    EXPECT_EQ(centred->handleY, 7.0f);
    // Only loading centres; created images keep (0, 0).
    EXPECT_EQ(CreateImage(4, 4, 1, 0)->handleX, 0.0f);
}

TEST_F(ImageTest, TexturesAreMadeOncePerDisplaySequence) {
    int alive = 0, made = 0;
    int32_t seenFlags = -1, seenWidth = -1, seenFormat = -1;
    const TextureMaker make = [&](const TPixmap& pixmap, int32_t flags) {
        ++made;
        seenFlags = flags, seenWidth = pixmap.width, seenFormat = pixmap.format;
        return std::make_shared<CountingTexture>(&alive);
    };
    ImagePtr image = LoadImage(BlackAndWhite(), ImageFiltered);
    DriverTexture* first = ImageFrameTexture(*image, 0, make);
    EXPECT_EQ(ImageFrameTexture(*image, 0, make), first);
    EXPECT_EQ(made, 1);
    EXPECT_EQ(seenFlags, ImageFiltered);

    AdvanceDisplaySequence();
    EXPECT_NE(ImageFrameTexture(*image, 0, make), nullptr);
    EXPECT_EQ(made, 2);
    EXPECT_EQ(alive, 1); // the old texture was released

    // A frame without a pixmap gets a clear RGBA pixmap of the image's size.
    ImagePtr dynamic = CreateImage(6, 3, 1, 0);
    ImageFrameTexture(*dynamic, 0, make);
    EXPECT_EQ(seenWidth, 6);
    EXPECT_EQ(seenFormat, FormatRGBA8888);
    EXPECT_EQ(seenFlags, ImageDynamic);

    // Setting a new pixmap drops the texture.
    SetImagePixmap(*image, 0, BlackAndWhite());
    EXPECT_EQ(alive, 1);
}

TEST(DisplaySequence, NeverZeroAndWrapsToOne) {
    EXPECT_NE(DisplaySequence(), 0u);
    EXPECT_EQ(NextDisplaySequence(1), 2u);
    EXPECT_EQ(NextDisplaySequence(UINT32_MAX), 1u);
}
