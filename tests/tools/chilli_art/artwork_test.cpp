// The committed pictures as the saver needs them: pods on pure black, no holes, the named colour.
#include "artwork.h"
#include "catalogue.h"
#include "decoded_png.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using chilli_art::kCatalogueSize;
using chilli_art::Pictures;

DecodedPng LoadCommitted(size_t index) {
    std::vector<uint8_t> bytes = ReadWholeFile(ArtworkPath(Pictures()[index].file));
    return DecodePng(bytes.data(), bytes.size());
}

bool IsBlack(const DecodedPng& png, int x, int y) {
    const uint8_t* p =
        &png.rgba[(static_cast<size_t>(y) * static_cast<size_t>(png.width) + static_cast<size_t>(x)) * 4];
    return p[0] == 0 && p[1] == 0 && p[2] == 0;
}

TEST(CataloguePictures, StandOnBlackAndFillTheirFrame) {
    for (size_t i = 0; i < kCatalogueSize; ++i) {
        DecodedPng png = LoadCommitted(i);
        ASSERT_TRUE(png.ok) << Pictures()[i].file;
        EXPECT_TRUE(IsBlack(png, 0, 0) && IsBlack(png, png.width - 1, 0) && IsBlack(png, 0, png.height - 1) &&
                    IsBlack(png, png.width - 1, png.height - 1))
            << Pictures()[i].file;
        int minX = png.width, minY = png.height, maxX = -1, maxY = -1, covered = 0;
        for (int y = 0; y < png.height; ++y)
            for (int x = 0; x < png.width; ++x)
                if (!IsBlack(png, x, y)) {
                    minX = std::min(minX, x), maxX = std::max(maxX, x), minY = std::min(minY, y),
                    maxY = std::max(maxY, y);
                    ++covered;
                }
        // The drawing reaches (almost) both ends of its long side and covers a good share of the frame.
        double spanX = (maxX - minX + 1.0) / png.width, spanY = (maxY - minY + 1.0) / png.height;
        EXPECT_GE(std::max(spanX, spanY), 0.92) << Pictures()[i].file;
        EXPECT_GE(std::min(spanX, spanY), 0.4) << Pictures()[i].file;
        EXPECT_GE(covered, png.width * png.height / 8) << Pictures()[i].file;
    }
}

struct MeanColour {
    double r = 0, g = 0, b = 0;
};

// The mean colour of the pod's own pixels; the calyx and stem (green) pull it a little.
MeanColour PodMean(const DecodedPng& png) {
    MeanColour mean;
    int n = 0;
    for (size_t i = 0; i + 3 < png.rgba.size(); i += 4)
        if (png.rgba[i] | png.rgba[i + 1] | png.rgba[i + 2]) {
            mean.r += png.rgba[i], mean.g += png.rgba[i + 1], mean.b += png.rgba[i + 2];
            ++n;
        }
    if (n > 0) mean.r /= n, mean.g /= n, mean.b /= n;
    return mean;
}

TEST(CataloguePictures, ShowTheColourTheirNameSays) {
    for (size_t i = 0; i < kCatalogueSize; ++i) {
        std::string name = Pictures()[i].displayName;
        MeanColour c = PodMean(LoadCommitted(i));
        auto has = [&](const char* word) { return name.find(word) != std::string::npos; };
        if (has("Black") || has("Chocolate")) {
            EXPECT_LT(c.r + c.g + c.b, 3 * 90.0) << name;
        } else if (has("Green") || name == "Poblano" || name == "Jalepeno") {
            EXPECT_GT(c.g, c.r * 1.2) << name;
            EXPECT_GT(c.g, c.b) << name;
        } else if (has("Yellow") || has("Gold") || name == "Banana" || name == "Hot Wax" || name == "Fatalli") {
            EXPECT_GT(c.g, c.r * 0.65) << name;
            EXPECT_GT(c.r, c.b * 2) << name;
        } else if (has("Red") || name == "Capsaro" || name == "Cayenne") {
            EXPECT_GT(c.r, c.g * 2.5) << name;
        }
    }
}

TEST(Logos, AreTwoDifferentFramesWithRealAlpha) {
    std::vector<uint8_t> frames[2];
    for (size_t k = 0; k < 2; ++k) {
        DecodedPng png = LoadCommitted(kCatalogueSize + k);
        ASSERT_TRUE(png.ok);
        int clear = 0, solid = 0, partial = 0;
        for (size_t i = 3; i < png.rgba.size(); i += 4)
            png.rgba[i] == 0 ? ++clear : png.rgba[i] == 255 ? ++solid : ++partial;
        EXPECT_EQ(png.rgba[3], 0) << "corner is transparent";
        EXPECT_GT(clear, 128 * 128 / 4);
        EXPECT_GT(solid, 128 * 128 / 8);
        EXPECT_GT(partial, 100) << "edges are anti-aliased";
        frames[k] = png.rgba;
    }
    EXPECT_NE(frames[0], frames[1]);
}

// The generator reproduces every committed file byte for byte, and every pixel the drawing covers
// at least half stays non-black after encoding, so the mask never punches a hole into a pod.
TEST(Generator, ReproducesTheCommittedPicturesWithoutBlackInsideThePods) {
    for (size_t index = 0; index < chilli_art::PictureCount(); ++index) {
        const chilli_art::PictureEntry& entry = Pictures()[index];
        chilli_art::Image image = chilli_art::RenderImage(index);
        chilli_art::Encoded encoded = chilli_art::Encode(image, entry.kind);
        EXPECT_EQ(chilli_art::WritePng(encoded), ReadWholeFile(ArtworkPath(entry.file))) << entry.file;
        if (entry.kind == chilli_art::PixelKind::Rgba) continue;
        size_t channels = entry.kind == chilli_art::PixelKind::Rgb ? 3 : 1;
        int black = 0;
        for (size_t i = 0; i * 4 < image.rgba.size(); ++i) {
            if (image.rgba[i * 4 + 3] < 128) continue;
            bool allZero = true;
            for (size_t k = 0; k < channels; ++k)
                allZero = allZero && encoded.pixels[i * channels + k] == 0;
            black += allZero;
        }
        EXPECT_EQ(black, 0) << entry.file;
    }
}

} // namespace
