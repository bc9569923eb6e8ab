// PNG fixtures written with libpng directly (not with the code under test).
#include "png_fixture.h"

#include <png.h>
#include <zlib.h>

namespace {

void Append(png_structp png, png_bytep data, size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void PutBigEndian(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

} // namespace

std::vector<uint8_t> EncodePng(const PngFixture& f) {
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    // No setjmp: a fixture that libpng rejects aborts the test program.
    png_set_write_fn(png, &out, Append, nullptr);
    png_set_IHDR(png, info, static_cast<png_uint_32>(f.width), static_cast<png_uint_32>(f.height), f.bitDepth,
                 f.colorType, f.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> palette;
    for (size_t i = 0; i + 2 < f.palette.size(); i += 3)
        palette.push_back({f.palette[i], f.palette[i + 1], f.palette[i + 2]});
    if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    if (!f.trns.empty()) {
        if (f.colorType == PNG_COLOR_TYPE_PALETTE) {
            png_set_tRNS(png, info, f.trns.data(), static_cast<int>(f.trns.size()), nullptr);
        } else {
            png_color_16 value{};
            value.gray = static_cast<png_uint_16>(f.trns[0] << 8 | f.trns[1]);
            png_set_tRNS(png, info, nullptr, 0, &value);
        }
    }
    png_write_info(png, info);
    const size_t rowBytes = f.samples.size() / static_cast<size_t>(f.height);
    std::vector<png_bytep> rows;
    for (int y = 0; y < f.height; ++y)
        rows.push_back(const_cast<png_bytep>(f.samples.data() + y * rowBytes));
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

std::vector<uint8_t> PngWithHeader(uint32_t width, uint32_t height) {
    std::vector<uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> chunk{'I', 'H', 'D', 'R'};
    PutBigEndian(chunk, width);
    PutBigEndian(chunk, height);
    chunk.insert(chunk.end(), {8, PNG_COLOR_TYPE_RGB_ALPHA, 0, 0, 0});
    PutBigEndian(out, 13);
    out.insert(out.end(), chunk.begin(), chunk.end());
    PutBigEndian(out, static_cast<uint32_t>(crc32(0, chunk.data(), static_cast<uInt>(chunk.size()))));
    out.insert(out.end(), {0, 0, 0, 4, 'I', 'D', 'A', 'T', 1, 2, 3, 4, 0, 0, 0, 0});
    return out;
}
