// The glyphs of the built-in 8 × 16 console font for characters 32 to 127, as the table the layer embeds.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

constexpr int32_t kBuiltInFontFirstCharacter = 32;
constexpr int32_t kBuiltInFontGlyphCount = 96;
constexpr int32_t kBuiltInFontGlyphWidth = 8;
constexpr int32_t kBuiltInFontGlyphHeight = 16;
constexpr std::size_t kBuiltInFontTableSize = 1536;

// The name under which start-up registers the table as an embedded resource.
constexpr const char* kBuiltInFontResource = "builtin font";

// The 1536 bytes of glyph data: 16 rows of 96 bytes; byte j of row i holds row i (0 = top) of the glyph
// for character 32 + j; bit k (k = 0 the least significant) is the pixel in column k counted from the
// left, set where the glyph has ink. The table is static and lives for the whole process.
const std::array<uint8_t, kBuiltInFontTableSize>& BuiltInFontTable();
