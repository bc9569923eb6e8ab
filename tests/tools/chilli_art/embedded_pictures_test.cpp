// The embedded artwork: every picture is present under its resource name, byte for byte, and decodes.
#include "saver/artwork/embedded_pictures.h"

#include "catalogue.h"
#include "decoded_png.h"

#include <gtest/gtest.h>
#include <png.h>

#include <map>
#include <string>

namespace {

std::map<std::string, EmbeddedFile> ByName() {
    std::map<std::string, EmbeddedFile> files;
    for (const EmbeddedFile& file : EmbeddedPictures())
        files.emplace(file.name, file);
    return files;
}

TEST(EmbeddedPictures, AreExactlyTheHundredAndTwoPicturesUnderTheirResourceNames) {
    std::map<std::string, EmbeddedFile> files = ByName();
    EXPECT_EQ(files.size(), 102u);
    EXPECT_EQ(EmbeddedPictures().size(), 102u) << "a name is embedded twice";
    for (size_t i = 0; i < chilli_art::PictureCount(); ++i) {
        std::string name = std::string("build stuff/gfx/") + chilli_art::Pictures()[i].file;
        EXPECT_EQ(files.count(name), 1u) << name;
    }
    EXPECT_EQ(files.count("build stuff/gfx/logo1.png"), 1u);
    EXPECT_EQ(files.count("build stuff/gfx/logo2.png"), 1u);
}

TEST(EmbeddedPictures, HoldTheBytesOfTheFilesInTheArtworkFolder) {
    for (const EmbeddedFile& file : EmbeddedPictures()) {
        std::string name = file.name;
        std::vector<uint8_t> onDisk = ReadWholeFile(ArtworkPath(name.substr(std::string("build stuff/gfx/").size())));
        ASSERT_FALSE(onDisk.empty()) << name;
        ASSERT_EQ(file.size, onDisk.size()) << name;
        EXPECT_EQ(std::vector<uint8_t>(file.data, file.data + file.size), onDisk) << name;
    }
}

TEST(EmbeddedPictures, DecodeToTheTableSizeAndPixelKindWithoutTransparency) {
    std::map<std::string, EmbeddedFile> files = ByName();
    for (size_t i = 0; i < chilli_art::PictureCount(); ++i) {
        const chilli_art::PictureEntry& entry = chilli_art::Pictures()[i];
        auto found = files.find(std::string("build stuff/gfx/") + entry.file);
        ASSERT_NE(found, files.end()) << entry.file;
        DecodedPng png = DecodePng(found->second.data, found->second.size);
        ASSERT_TRUE(png.ok) << entry.file;
        EXPECT_EQ(png.width, entry.width) << entry.file;
        EXPECT_EQ(png.height, entry.height) << entry.file;
        EXPECT_EQ(png.bitDepth, 8) << entry.file;
        EXPECT_FALSE(png.hasTransparencyChunk) << entry.file;
        int expected = entry.kind == chilli_art::PixelKind::Rgb       ? PNG_COLOR_TYPE_RGB
                       : entry.kind == chilli_art::PixelKind::Palette ? PNG_COLOR_TYPE_PALETTE
                                                                      : PNG_COLOR_TYPE_RGB_ALPHA;
        EXPECT_EQ(png.colourType, expected) << entry.file;
        if (entry.kind == chilli_art::PixelKind::Palette) {
            EXPECT_LE(png.paletteSize, 256) << entry.file;
        }
    }
}

} // namespace
