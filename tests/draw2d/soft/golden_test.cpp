// Whole pictures against small golden PNGs kept in the repository. A failing comparison writes the
// actual picture and a difference picture into the build folder; CAPSARO_UPDATE_GOLDEN=1 rewrites
// the goldens after a person has looked at the new pictures.
#include "draw2d/soft/soft_raster.h"

#include "tests/draw2d/soft/soft_test_support.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

bool WritePng(const std::string& path, int w, int h, const std::vector<uint32_t>& argb) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(w);
    image.height = static_cast<png_uint_32>(h);
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb;
    for (uint32_t p : argb)
        rgb.insert(rgb.end(), {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p)});
    return png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr) != 0;
}

// Reads an RGB picture as 0xFFRRGGBB pixels; false when the file is missing or unreadable.
bool ReadPng(const std::string& path, int& w, int& h, std::vector<uint32_t>& argb) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) return false;
    w = int(image.width);
    h = int(image.height);
    argb.clear();
    for (size_t i = 0; i + 2 < rgb.size(); i += 3)
        argb.push_back(0xFF000000u | uint32_t(rgb[i]) << 16 | uint32_t(rgb[i + 1]) << 8 | rgb[i + 2]);
    return true;
}

// Compares the canvas (alpha ignored) with golden/<name>.png, every channel within tolerance.
void ExpectMatchesGolden(const TestCanvas& canvas, const std::string& name, int tolerance) {
    const std::string golden = std::string(CAPSARO_SOURCE_DIR) + "/tests/draw2d/soft/golden/" + name + ".png";
    std::vector<uint32_t> actual(canvas.pixels);
    for (uint32_t& p : actual)
        p |= 0xFF000000;
    const char* update = std::getenv("CAPSARO_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        ASSERT_TRUE(WritePng(golden, canvas.width, canvas.height, actual));
        return;
    }
    int w = 0, h = 0;
    std::vector<uint32_t> expected;
    ASSERT_TRUE(ReadPng(golden, w, h, expected)) << "missing golden " << golden;
    ASSERT_EQ(w, canvas.width);
    ASSERT_EQ(h, canvas.height);
    std::vector<uint32_t> difference(actual.size());
    int worst = 0;
    for (size_t i = 0; i < actual.size(); ++i) {
        uint32_t d = 0xFF000000;
        for (int shift = 0; shift < 24; shift += 8) {
            const int delta = std::abs(int((actual[i] >> shift) & 0xFF) - int((expected[i] >> shift) & 0xFF));
            worst = std::max(worst, delta);
            d |= uint32_t(std::min(255, delta * 16)) << shift;
        }
        difference[i] = d;
    }
    if (worst > tolerance) {
        const std::string out = std::string(CAPSARO_BINARY_DIR) + "/" + name;
        WritePng(out + ".actual.png", w, h, actual);
        WritePng(out + ".difference.png", w, h, difference);
        ADD_FAILURE() << name << ": a channel differs by " << worst << " (tolerance " << tolerance << "); see " << out
                      << ".actual.png and .difference.png";
    }
}

// A pod-like sprite: an opaque ellipse with a lit stripe, transparent black around it, in 16 × 32.
TestTexture Pod(bool filtered) {
    std::vector<uint32_t> texels(16 * 32, 0);
    for (int y = 1; y < 27; ++y)
        for (int x = 0; x < 13; ++x) {
            const double dx = (x + 0.5 - 6.5) / 6, dy = (y + 0.5 - 14) / 13;
            if (dx * dx + dy * dy >= 1) continue;
            texels[y * 16 + x] = x == 4 ? 0xFFFFC0A0 : 0xFFC02010 + (uint32_t(y * 4) << 8);
        }
    return TestTexture(16, 32, texels, filtered);
}

TEST(SoftGolden, RotatedScaledSpritesWithShadowsAndClearedViewport) {
    TestTexture nearest = Pod(false), filtered = Pod(true);
    std::vector<SoftHalfPlane> planes = SoftFindOpaqueHull(filtered.levels[0]);
    const SoftHull hull = {planes.data(), int(planes.size())};
    filtered.texture.hulls = &hull;
    TestCanvas canvas(96, 64, 0xFF202840);
    SoftClear(canvas.Surface(), {4, 4, 92, 60}, 0xFF304060);
    const float angles[] = {0, 30, 90, 135, 200, 300};
    for (int i = 0; i < 6; ++i) {
        const float x = 14.0f + 15.0f * float(i), y = 14.0f + float(i % 2) * 20.0f;
        const TestTexture& t = i % 2 ? filtered : nearest;
        // A black shadow at 30 % alpha, offset, then the sprite itself masked.
        const SoftQuad shadow = ImageQuad(x + 3, y + 3, 13, 27, 16, 32, angles[i], 0.9375, 0.703 + 0.2 * i);
        SoftDrawQuads(canvas.Surface(), &t.texture, canvas.State(BlendAlpha, 0x4C000000), &shadow, 1);
        const SoftQuad sprite = ImageQuad(x, y, 13, 27, 16, 32, angles[i], 0.9375, 0.703 + 0.2 * i);
        SoftDrawQuads(canvas.Surface(), &t.texture, canvas.State(BlendMask), &sprite, 1);
    }
    ExpectMatchesGolden(canvas, "sprites", 0);
}

} // namespace
