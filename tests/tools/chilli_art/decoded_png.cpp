// Test helper: PNG decoding through libpng from memory.
#include "decoded_png.h"

#include <png.h>

#include <cstdio>
#include <cstring>

namespace {
struct Reader {
    const uint8_t* data;
    size_t size;
    size_t offset;
};
void ReadFromMemory(png_structp png, png_bytep out, png_size_t length) {
    auto* reader = static_cast<Reader*>(png_get_io_ptr(png));
    if (reader->offset + length > reader->size) png_error(png, "truncated");
    std::memcpy(out, reader->data + reader->offset, length);
    reader->offset += length;
}
} // namespace

DecodedPng DecodePng(const uint8_t* data, size_t size) {
    DecodedPng result;
    if (size < 8 || png_sig_cmp(data, 0, 8) != 0) return result;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return result;
    }
    Reader reader{data, size, 0};
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return DecodedPng{};
    }
    png_set_read_fn(png, &reader, ReadFromMemory);
    png_read_info(png, info);
    result.width = static_cast<int>(png_get_image_width(png, info));
    result.height = static_cast<int>(png_get_image_height(png, info));
    result.bitDepth = png_get_bit_depth(png, info);
    result.colourType = png_get_color_type(png, info);
    result.hasTransparencyChunk = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    png_colorp palette = nullptr;
    if (png_get_PLTE(png, info, &palette, &result.paletteSize) == 0) result.paletteSize = 0;
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_read_update_info(png, info);
    result.rgba.resize(static_cast<size_t>(result.width) * static_cast<size_t>(result.height) * 4);
    std::vector<png_bytep> rows(static_cast<size_t>(result.height));
    for (int y = 0; y < result.height; ++y)
        rows[static_cast<size_t>(y)] = &result.rgba[static_cast<size_t>(y) * static_cast<size_t>(result.width) * 4];
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    result.ok = true;
    return result;
}

std::vector<uint8_t> ReadWholeFile(const std::string& path) {
    std::vector<uint8_t> bytes;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return bytes;
    uint8_t buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + n);
    std::fclose(file);
    return bytes;
}

std::string ArtworkPath(const std::string& file) {
    return std::string(CAPSARO_SOURCE_DIR) + "/build stuff/gfx/" + file;
}
