// The built-in font's table layout and the shape rules its glyphs keep; also renders the whole font to
// builtin_font.png in the build folder so a person can look at it.
#include "draw2d/builtin_font_glyphs.h"

#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

// Reads the table by its documented layout: row i, byte 32 + j, bit k = column k from the left.
uint8_t RowBits(int character, int row) {
    return BuiltInFontTable()[static_cast<std::size_t>(row * 96 + character - 32)];
}

bool Ink(int character, int column, int row) {
    return (RowBits(character, row) >> column) & 1u;
}

bool RowHasInk(int character, int row) {
    return RowBits(character, row) != 0;
}

struct InkSpan {
    int top = -1;
    int bottom = -1;
};

InkSpan InkRows(int character) {
    InkSpan span;
    for (int row = 0; row < 16; ++row) {
        if (!RowHasInk(character, row)) continue;
        if (span.top < 0) span.top = row;
        span.bottom = row;
    }
    return span;
}

void ExpectSpan(const std::string& characters, int top, int bottom) {
    for (char c : characters) {
        const InkSpan span = InkRows(c);
        EXPECT_EQ(span.top, top) << "top of '" << c << "'";
        EXPECT_EQ(span.bottom, bottom) << "bottom of '" << c << "'";
    }
}

int PixelsApart(int a, int b) {
    int count = 0;
    for (int row = 0; row < 16; ++row)
        for (int column = 0; column < 8; ++column)
            count += Ink(a, column, row) != Ink(b, column, row);
    return count;
}

const std::string kCapitals = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
const std::string kDigits = "0123456789";

} // namespace

TEST(BuiltInFontGlyphs, TableIsOneByteForEachRowOfEachGlyph) {
    EXPECT_EQ(BuiltInFontTable().size(), 1536u);
    EXPECT_STREQ(kBuiltInFontResource, "builtin font");
}

TEST(BuiltInFontGlyphs, RowsZeroAndThirteenToFifteenStayEmpty) {
    for (int c = 32; c < 128; ++c)
        for (int row : {0, 13, 14, 15})
            EXPECT_FALSE(RowHasInk(c, row)) << "character " << c << " row " << row;
}

TEST(BuiltInFontGlyphs, SpaceIsBlankAndEveryPrintableGlyphHasInk) {
    EXPECT_EQ(InkRows(' ').top, -1);
    for (int c = 33; c < 127; ++c)
        EXPECT_GE(InkRows(c).top, 0) << "character " << c;
}

TEST(BuiltInFontGlyphs, CapitalsAndDigitsStandOnRowsTwoToTen) {
    ExpectSpan(kCapitals + kDigits, 2, 10);
}

TEST(BuiltInFontGlyphs, LowerCaseLettersKeepToTheirZones) {
    ExpectSpan("acemnorsuvwxz", 5, 10);
    ExpectSpan("bdfhklt", 2, 10);
    ExpectSpan("gpqy", 5, 12);
    // The dots of i and j sit above the x-height with a clear row between dot and stem.
    for (char c : {'i', 'j'}) {
        EXPECT_LT(InkRows(c).top, 4) << c;
        EXPECT_FALSE(RowHasInk(c, 4)) << c;
        EXPECT_TRUE(RowHasInk(c, 5)) << c;
    }
    EXPECT_EQ(InkRows('i').bottom, 10);
    EXPECT_EQ(InkRows('j').bottom, 12);
}

TEST(BuiltInFontGlyphs, BracketsReachFromTheCapLineToTheDescenderLine) {
    ExpectSpan("()[]{}", 2, 12);
}

TEST(BuiltInFontGlyphs, UnderscoreIsANearlyFullRowOnTheBaseline) {
    ExpectSpan("_", 10, 10);
    int width = 0;
    for (int column = 0; column < 8; ++column)
        width += Ink('_', column, 10);
    EXPECT_GE(width, 7);
}

TEST(BuiltInFontGlyphs, ColumnZeroIsTheLeastSignificantBit) {
    // Letters with a straight left stem have ink in column 0 on every row they use...
    for (char c : std::string("BDEFHKLNPRbhkp")) {
        const InkSpan span = InkRows(c);
        for (int row = span.top; row <= span.bottom; ++row)
            EXPECT_TRUE(Ink(c, 0, row)) << c << " row " << row;
    }
    // ...and no letter or digit uses column 7, the gap that keeps neighbours apart.
    for (char c : kCapitals + kDigits + "abcdefghijklmnopqrstuvwxyz")
        for (int row = 0; row < 16; ++row)
            EXPECT_FALSE(Ink(c, 7, row)) << c << " row " << row;
}

TEST(BuiltInFontGlyphs, VerticalStrokesAreTwoPixelsWide) {
    // A pixel in a vertical run of three or more must have a horizontal neighbour. The middle strokes of
    // the three-stemmed letters and the inside of '@' have no room for two pixels.
    const std::string narrowMiddle = "MWmw@";
    for (int c = 33; c < 128; ++c) {
        if (narrowMiddle.find(static_cast<char>(c)) != std::string::npos) continue;
        for (int column = 0; column < 8; ++column) {
            int runStart = 0;
            for (int row = 0; row <= 16; ++row) {
                if (row < 16 && Ink(c, column, row)) continue;
                if (row - runStart >= 3) {
                    for (int r = runStart; r < row; ++r) {
                        const bool left = column > 0 && Ink(c, column - 1, r);
                        const bool right = column < 7 && Ink(c, column + 1, r);
                        EXPECT_TRUE(left || right)
                            << "'" << static_cast<char>(c) << "' column " << column << " row " << r;
                    }
                }
                runStart = row + 1;
            }
        }
    }
}

TEST(BuiltInFontGlyphs, GlyphsThatAreEasilyConfusedDifferClearly) {
    for (int a = 32; a < 128; ++a)
        for (int b = a + 1; b < 128; ++b)
            EXPECT_GT(PixelsApart(a, b), 0) << "characters " << a << " and " << b;
    const char* pairs[] = {"0O", "0D", "0Q", "1l", "1I", "lI", "l|", "I|", "5S", "8B", "2Z", "6b", "9g",
                           "9q", "gq", "pq", "o0", "uv", "ce", "nh", "il", "ij", ",.", ":;", "`'"};
    for (const char* pair : pairs)
        EXPECT_GE(PixelsApart(pair[0], pair[1]), 4) << pair;
}

namespace {

struct Rgb {
    uint8_t r, g, b;
};

struct Canvas {
    int width;
    int height;
    std::vector<Rgb> pixels;

    Canvas(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w * h), Rgb{0, 0, 0}) {}

    void Fill(int x, int y, int w, int h, Rgb colour) {
        for (int yy = y; yy < y + h; ++yy)
            for (int xx = x; xx < x + w; ++xx)
                if (xx >= 0 && yy >= 0 && xx < width && yy < height)
                    pixels[static_cast<std::size_t>(yy * width + xx)] = colour;
    }

    void Glyph(int character, int x, int y, int scale, Rgb ink) {
        if (character < 32 || character > 127) return;
        for (int row = 0; row < 16; ++row)
            for (int column = 0; column < 8; ++column)
                if (Ink(character, column, row)) Fill(x + column * scale, y + row * scale, scale, scale, ink);
    }

    void Text(const std::string& text, int x, int y, int scale, Rgb ink) {
        for (char c : text) {
            Glyph(static_cast<unsigned char>(c), x, y, scale, ink);
            x += 8 * scale;
        }
    }
};

// Writes the canvas as an 8-bit RGB PNG; false when the file cannot be made or libpng fails.
bool WritePng(const Canvas& canvas, const std::string& path) {
    std::vector<png_bytep> rows;
    for (int y = 0; y < canvas.height; ++y)
        rows.push_back(
            reinterpret_cast<png_bytep>(const_cast<Rgb*>(&canvas.pixels[static_cast<std::size_t>(y * canvas.width)])));
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    // libpng reports errors by jumping back here; nothing set up after this point needs releasing but png.
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file.get());
    png_set_IHDR(png, info, static_cast<png_uint_32>(canvas.width), static_cast<png_uint_32>(canvas.height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_rows(png, info, rows.data());
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

TEST(BuiltInFontGlyphs, RendersTheWholeFontForInspection) {
    static_assert(sizeof(Rgb) == 3, "rows are written as packed RGB");
    const std::vector<std::string> samples = {
        "Red Thai & Scotch Bonnet 0123456789",          "The quick brown fox jumps over the lazy dog.",
        "THE QUICK BROWN FOX JUMPS OVER THE LAZY DOG!", "rn m rnm 0O 1lI| 5S 8B 2Z 6b 9gq ij ,.:; `'\"",
        "!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~",           "printf(\"%d\\n\", a[i] + b_j); // {x: y}",
    };
    constexpr int kMargin = 16;
    constexpr int kSheetScale = 4;
    const int sheetWidth = 16 * 8 * kSheetScale;
    const int sheetHeight = 6 * 16 * kSheetScale;
    int width = sheetWidth;
    int height = kMargin + sheetHeight;
    for (int scale : {1, 2, 4}) {
        for (const std::string& line : samples) {
            width = std::max(width, static_cast<int>(line.size()) * 8 * scale);
            height += kMargin / 2 + 16 * scale;
        }
        height += kMargin;
    }
    Canvas canvas(width + 2 * kMargin, height + kMargin);

    // The sheet: cells on a checkerboard, the cap line, x-height, baseline and descender line tinted.
    for (int c = 32; c < 128; ++c) {
        const int x = kMargin + (c - 32) % 16 * 8 * kSheetScale;
        const int y = kMargin + (c - 32) / 16 * 16 * kSheetScale;
        const uint8_t shade = ((c - 32) % 16 + (c - 32) / 16) % 2 ? 40 : 24;
        canvas.Fill(x, y, 8 * kSheetScale, 16 * kSheetScale, Rgb{shade, shade, shade});
        for (int guide : {2, 5, 10, 12})
            canvas.Fill(x, y + guide * kSheetScale, 8 * kSheetScale, kSheetScale,
                        Rgb{shade, shade, static_cast<uint8_t>(shade + 50)});
        canvas.Glyph(c, x, y, kSheetScale, Rgb{255, 255, 255});
    }
    // The samples at 1×, 2× and 4×, in the red of the saver's caption.
    int y = 2 * kMargin + sheetHeight;
    for (int scale : {1, 2, 4}) {
        for (const std::string& line : samples) {
            canvas.Text(line, kMargin, y, scale, Rgb{255, 40, 40});
            y += kMargin / 2 + 16 * scale;
        }
        y += kMargin;
    }

    const std::string path = std::string(CAPSARO_BINARY_DIR) + "/builtin_font.png";
    ASSERT_TRUE(WritePng(canvas, path)) << path;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str())) << path;
    EXPECT_EQ(image.width, static_cast<png_uint_32>(canvas.width));
    EXPECT_EQ(image.height, static_cast<png_uint_32>(canvas.height));
    png_image_free(&image);
}
