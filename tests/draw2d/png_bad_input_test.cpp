// The loader facing bad data: truncated, bit-flipped and random bytes, an absurd header and an empty
// resource all give null. The opt-in "slow" label runs these under valgrind to catch leaks.
#include <gtest/gtest.h>

#include <png.h>

#include <cstring>

#include "draw2d/image.h"
#include "draw2d/pixmap_load.h"
#include "draw2d/resources.h"
#include "draw2d/stream.h"
#include "png_fixture.h"
#include "runtime/random.h"

namespace {

std::vector<uint8_t> GoodPicture() {
    PngFixture f;
    f.width = 24, f.height = 16, f.colorType = PNG_COLOR_TYPE_RGB;
    for (int i = 0; i < 24 * 16 * 3; ++i)
        f.samples.push_back(static_cast<uint8_t>(i * 31 % 251));
    return EncodePng(f);
}

PixmapPtr Load(const std::vector<uint8_t>& bytes, size_t size) {
    return LoadPixmap(OpenMemoryStream(bytes.data(), size));
}

} // namespace

TEST(PngBadInput, TruncatedFilesGiveNull) {
    const std::vector<uint8_t> good = GoodPicture();
    ASSERT_NE(Load(good, good.size()), nullptr);
    // Every cut short of the IEND chunk loses data the reader needs.
    for (size_t size = 0; size + 12 < good.size(); ++size)
        EXPECT_EQ(Load(good, size), nullptr) << size;
}

TEST(PngBadInput, BitFlipsNeverCrashAndBreakTheChecksummedPart) {
    const std::vector<uint8_t> good = GoodPicture();
    for (size_t bit = 0; bit < good.size() * 8; bit += 3) {
        std::vector<uint8_t> bad = good;
        bad[bit / 8] = static_cast<uint8_t>(bad[bit / 8] ^ (1u << (bit % 8)));
        PixmapPtr pixmap = Load(bad, bad.size());
        // A flip in the signature or in the header and pixel chunks (all under CRC) must be refused.
        if (bit / 8 < good.size() - 12) {
            EXPECT_EQ(pixmap, nullptr) << "bit " << bit;
        }
    }
}

TEST(PngBadInput, RandomDataGivesNull) {
    SeedRandom(1234);
    std::vector<uint8_t> noise(4096);
    for (int round = 0; round < 50; ++round) {
        for (uint8_t& byte : noise)
            byte = static_cast<uint8_t>(RandomInt(0, 255));
        EXPECT_EQ(Load(noise, noise.size()), nullptr);
        // Random bytes behind a real signature get as far as the chunk reader.
        std::memcpy(noise.data(), "\x89PNG\r\n\x1a\n", 8);
        EXPECT_EQ(Load(noise, noise.size()), nullptr);
    }
}

TEST(PngBadInput, AbsurdSizesAreRefusedBeforeAllocating) {
    for (uint32_t side : {100000u, 16385u, 0x7FFFFFFFu}) {
        const std::vector<uint8_t> huge = PngWithHeader(side, side);
        EXPECT_EQ(Load(huge, huge.size()), nullptr) << side;
    }
    // Within the side limit but past the byte limit.
    const std::vector<uint8_t> wide = PngWithHeader(16384, 16384);
    EXPECT_EQ(Load(wide, wide.size()), nullptr);
}

TEST(PngBadInput, EmptyResourceGivesNullImage) {
    static const uint8_t nothing[1] = {};
    RegisterResource("test/empty.png", nothing, 0);
    EXPECT_EQ(LoadPixmap("incbin::test/empty.png"), nullptr);
    EXPECT_EQ(LoadImage("incbin::test/empty.png", 7), nullptr);
    EXPECT_EQ(LoadImage("incbin::test/absent.png", -1), nullptr);
}
