// BuiltInFont: the 8 x 16 console font made from its 1536-byte glyph table, which is registered
// as an embedded resource and read back through the resource stream like any picture.
#include "draw2d/builtin_font_glyphs.h"
#include "draw2d/draw_context.h"
#include "draw2d/resources.h"
#include "draw2d/stream.h"

#include <array>
#include <string>

namespace {

class BuiltInBitmapFont : public TBitmapFont {
public:
    explicit BuiltInBitmapFont(std::array<TGlyph, kBuiltInFontGlyphCount> glyphs) : glyphs_(std::move(glyphs)) {}

    const TGlyph* Glyph(uint32_t character) const override {
        if (character < static_cast<uint32_t>(kBuiltInFontFirstCharacter)) return nullptr;
        const uint32_t index = character - static_cast<uint32_t>(kBuiltInFontFirstCharacter);
        return index < glyphs_.size() ? &glyphs_[index] : nullptr;
    }
    int32_t Height() const override { return kBuiltInFontGlyphHeight; }

private:
    std::array<TGlyph, kBuiltInFontGlyphCount> glyphs_;
};

// The table as registered; the compiled-in copy if the registry cannot give it.
std::array<uint8_t, kBuiltInFontTableSize> ReadFontTable() {
    const std::array<uint8_t, kBuiltInFontTableSize>& table = BuiltInFontTable();
    RegisterResource(kBuiltInFontResource, table.data(), table.size());
    std::array<uint8_t, kBuiltInFontTableSize> bytes{};
    const StreamPtr stream = OpenStream(std::string("incbin::") + kBuiltInFontResource, true, false);
    if (!stream || stream->Read(bytes.data(), bytes.size()) != bytes.size()) return table;
    return bytes;
}

FontPtr MakeBuiltInFont() {
    constexpr int32_t width = kBuiltInFontGlyphWidth * kBuiltInFontGlyphCount;
    constexpr int32_t height = kBuiltInFontGlyphHeight;
    const std::array<uint8_t, kBuiltInFontTableSize> table = ReadFontTable();
    const PixmapPtr strip = CreatePixmap(width, height, FormatRGBA8888, 4);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const uint8_t bits = table[static_cast<size_t>(y * kBuiltInFontGlyphCount + x / 8)];
            WritePixel(*strip, x, y, (bits >> (x % 8)) & 1 ? 0xFFFFFFFFu : 0x00000000u);
        }
    }
    std::array<TGlyph, kBuiltInFontGlyphCount> glyphs;
    for (int32_t j = 0; j < kBuiltInFontGlyphCount; ++j) {
        const PixmapPtr cell = CopyPixmap(
            *PixmapWindow(strip, j * kBuiltInFontGlyphWidth, 0, kBuiltInFontGlyphWidth, kBuiltInFontGlyphHeight));
        TGlyph& glyph = glyphs[static_cast<size_t>(j)];
        glyph.image = LoadImage(cell, 0);
        glyph.advance = static_cast<float>(kBuiltInFontGlyphWidth);
        glyph.width = kBuiltInFontGlyphWidth;
        glyph.height = kBuiltInFontGlyphHeight;
    }
    return std::make_shared<BuiltInBitmapFont>(std::move(glyphs));
}

} // namespace

const FontPtr& BuiltInFont() {
    static const FontPtr font = MakeBuiltInFont();
    return font;
}
