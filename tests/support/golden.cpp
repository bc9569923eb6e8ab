// Golden-picture comparison for drawing tests.
#include "tests/support/golden.h"

#include "draw2d/pixmap_load.h"
#include "draw2d/png_io.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

const std::string kOutputFolder = std::string(CAPSARO_BINARY_DIR) + "/";

int Channel(uint32_t argb, int shift) {
    return static_cast<int>((argb >> shift) & 0xFF);
}

} // namespace

std::string CompareWithGolden(const TPixmap& actual, const std::string& folder, const std::string& name,
                              int tolerance) {
    const std::string goldenPath = std::string(CAPSARO_SOURCE_DIR) + "/tests/" + folder + "/golden/" + name + ".png";
    const char* update = std::getenv("CAPSARO_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        return SavePixmapPng(actual, goldenPath, 9) ? "" : "cannot write " + goldenPath;
    }
    const PixmapPtr golden = LoadPixmap(goldenPath);
    if (!golden) return "no golden picture " + goldenPath;
    if (golden->width != actual.width || golden->height != actual.height) return "size differs from " + goldenPath;
    return ComparePictures(actual, *golden, name, tolerance);
}

std::string ComparePictures(const TPixmap& actual, const TPixmap& expected, const std::string& name, int tolerance) {
    if (expected.width != actual.width || expected.height != actual.height) return name + ": sizes differ";
    const PixmapPtr difference = CreatePixmap(actual.width, actual.height, FormatRGB888, 4);
    int worst = 0, worstX = 0, worstY = 0;
    for (int32_t y = 0; y < actual.height; ++y) {
        for (int32_t x = 0; x < actual.width; ++x) {
            const uint32_t a = ReadPixel(actual, x, y);
            const uint32_t g = ReadPixel(expected, x, y);
            int most = 0;
            for (int shift : {0, 8, 16})
                most = std::max(most, std::abs(Channel(a, shift) - Channel(g, shift)));
            if (most > worst) worst = most, worstX = x, worstY = y;
            const auto shown = static_cast<uint32_t>(std::min(255, most * 8));
            WritePixel(*difference, x, y, 0xFF000000u | shown << 16 | shown << 8 | shown);
        }
    }
    if (worst <= tolerance) return "";
    SavePixmapPng(actual, kOutputFolder + name + ".actual.png", 6);
    SavePixmapPng(*difference, kOutputFolder + name + ".difference.png", 6);
    return name + ": channel difference " + std::to_string(worst) + " at (" + std::to_string(worstX) + ", " +
           std::to_string(worstY) + "); see " + kOutputFolder + name + ".actual.png";
}
