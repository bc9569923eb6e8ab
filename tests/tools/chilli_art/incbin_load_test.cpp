// Registered as the program registers them, every picture opens through "incbin::" and decodes.
#include "catalogue.h"
#include "draw2d/pixmap_load.h"
#include "draw2d/resources.h"
#include "saver/artwork/embedded_pictures.h"

#include <gtest/gtest.h>

namespace {

TEST(EmbeddedPictures, OpenThroughIncbinAndDecodeToTheTableSize) {
    for (const EmbeddedFile& file : EmbeddedPictures())
        RegisterResource(file.name, file.data, file.size);
    for (size_t i = 0; i < chilli_art::PictureCount(); ++i) {
        const chilli_art::PictureEntry& entry = chilli_art::Pictures()[i];
        PixmapPtr pixmap = LoadPixmap(std::string("incbin::build stuff/gfx/") + entry.file);
        ASSERT_NE(pixmap, nullptr) << entry.file;
        EXPECT_EQ(pixmap->width, entry.width) << entry.file;
        EXPECT_EQ(pixmap->height, entry.height) << entry.file;
    }
}

} // namespace
