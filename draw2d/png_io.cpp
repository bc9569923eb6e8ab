// PNG through libpng. libpng reports errors by longjmp, which must not skip C++ destructors: each
// setjmp lives in a small function whose frames hold only plain values, and every C++ object
// (the pixmap, the row pointers, the libpng structures' owner) lives in the caller.
#include "draw2d/png_io.h"

#include "runtime/file_paths.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <filesystem>
#include <vector>

namespace {

constexpr size_t kSignatureSize = 8;

// Errors jump back to the active setjmp without printing; warnings are dropped.
[[noreturn]] void OnPngError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}
void OnPngWarning(png_structp, png_const_charp) {}

void ReadFromStream(png_structp png, png_bytep data, size_t length) {
    auto* stream = static_cast<TStream*>(png_get_io_ptr(png));
    if (stream->Read(data, length) != length) png_error(png, "unexpected end of stream");
}

void WriteToStream(png_structp png, png_bytep data, size_t length) {
    auto* stream = static_cast<TStream*>(png_get_io_ptr(png));
    if (stream->Write(data, length) != length) png_error(png, "write failed");
}

void FlushStream(png_structp png) {
    auto* stream = static_cast<TStream*>(png_get_io_ptr(png));
    if (!stream->Flush()) png_error(png, "flush failed");
}

// Owns a libpng read or write structure and its info structure.
class PngRead {
public:
    PngRead() {
        png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
        if (png_) info_ = png_create_info_struct(png_);
    }
    ~PngRead() { png_destroy_read_struct(&png_, info_ ? &info_ : nullptr, nullptr); }
    PngRead(const PngRead&) = delete;
    PngRead& operator=(const PngRead&) = delete;
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
};

class PngWrite {
public:
    PngWrite() {
        png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
        if (png_) info_ = png_create_info_struct(png_);
    }
    ~PngWrite() { png_destroy_write_struct(&png_, info_ ? &info_ : nullptr); }
    PngWrite(const PngWrite&) = delete;
    PngWrite& operator=(const PngWrite&) = delete;
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
};

struct PngHeader {
    png_uint_32 width, height;
    int colorType, bitDepth;
};

// Reads the chunks before the pixels and sets up the transformations. Plain values only here.
bool ReadPngHeader(png_structp png, png_infop info, PngHeader* header) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_sig_bytes(png, static_cast<int>(kSignatureSize));
    // A header claiming more than the largest pixmap is refused before anything is allocated.
    png_set_user_limits(png, kMaxPixmapSide, kMaxPixmapSide);
    png_read_info(png, info);
    png_set_strip_16(png);
    png_set_expand(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    header->width = png_get_image_width(png, info);
    header->height = png_get_image_height(png, info);
    header->colorType = png_get_color_type(png, info);
    header->bitDepth = png_get_bit_depth(png, info);
    return true;
}

bool ReadPngRows(png_structp png, png_infop info, png_bytepp rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_read_image(png, rows);
    png_read_end(png, info);
    return true;
}

bool WritePng(png_structp png, png_infop info, png_bytepp rows, const PngHeader* header, int level, bool bgr) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_compression_level(png, level);
    png_set_IHDR(png, info, header->width, header->height, 8, header->colorType, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_rows(png, info, rows);
    png_write_png(png, info, bgr ? PNG_TRANSFORM_BGR : PNG_TRANSFORM_IDENTITY, nullptr);
    return true;
}

// Spreads gray-alpha pairs at the start of a row into RGBA, from the right so nothing is overwritten.
void GrayAlphaToRgba(uint8_t* row, int32_t width) {
    for (int32_t x = width - 1; x >= 0; --x) {
        const uint8_t gray = row[2 * x], alpha = row[2 * x + 1];
        uint8_t* out = row + 4 * x;
        out[0] = out[1] = out[2] = gray;
        out[3] = alpha;
    }
}

} // namespace

PixmapPtr LoadPixmapPng(TStream& stream) {
    png_byte signature[kSignatureSize];
    if (stream.Read(signature, kSignatureSize) != kSignatureSize || png_sig_cmp(signature, 0, kSignatureSize) != 0)
        return nullptr;

    PngRead reader;
    if (!reader.info_) return nullptr;
    png_set_read_fn(reader.png_, &stream, ReadFromStream);
    PngHeader header{};
    if (!ReadPngHeader(reader.png_, reader.info_, &header) || header.bitDepth != 8) return nullptr;

    int32_t format = FormatNone;
    switch (header.colorType) {
    case PNG_COLOR_TYPE_GRAY:
        format = FormatI8;
        break;
    case PNG_COLOR_TYPE_RGB:
        format = FormatRGB888;
        break;
    case PNG_COLOR_TYPE_RGB_ALPHA:
    case PNG_COLOR_TYPE_GRAY_ALPHA:
        format = FormatRGBA8888;
        break;
    default:
        return nullptr;
    }
    PixmapPtr pixmap = CreatePixmap(static_cast<int32_t>(header.width), static_cast<int32_t>(header.height), format, 4);
    if (!pixmap) return nullptr;

    std::vector<png_bytep> rows(static_cast<size_t>(pixmap->height));
    for (int32_t y = 0; y < pixmap->height; ++y)
        rows[static_cast<size_t>(y)] = pixmap->Row(y);
    if (!ReadPngRows(reader.png_, reader.info_, rows.data())) return nullptr;
    if (header.colorType == PNG_COLOR_TYPE_GRAY_ALPHA) {
        for (int32_t y = 0; y < pixmap->height; ++y)
            GrayAlphaToRgba(pixmap->Row(y), pixmap->width);
    }
    return pixmap;
}

int SavePixmapPng(const TPixmap& pixmap, const std::string& url, int level) {
    StreamPtr stream = OpenStream(url, false, true);
    if (!stream) return 0;
    const int saved = SavePixmapPng(pixmap, stream, level);
    stream.reset();
    // A file that could not be written whole (a full disk) is not left behind half made. Only a
    // plain file goes: a device or a link the URL named stays where it is.
    const std::string path = UrlFilePath(url);
    std::error_code error;
    if (!saved && !path.empty() &&
        std::filesystem::symlink_status(FilePath(path), error).type() == std::filesystem::file_type::regular)
        std::filesystem::remove(FilePath(path), error);
    return saved;
}

int SavePixmapPng(const TPixmap& pixmap, const StreamPtr& stream, int level) {
    if (!stream) return 0;
    PixmapPtr converted;
    const TPixmap* source = &pixmap;
    PngHeader header{static_cast<png_uint_32>(pixmap.width), static_cast<png_uint_32>(pixmap.height), 0, 8};
    bool bgr = false;
    switch (pixmap.format) {
    case FormatI8:
        header.colorType = PNG_COLOR_TYPE_GRAY;
        break;
    case FormatBGR888:
        bgr = true;
        header.colorType = PNG_COLOR_TYPE_RGB;
        break;
    case FormatRGB888:
        header.colorType = PNG_COLOR_TYPE_RGB;
        break;
    case FormatBGRA8888:
        bgr = true;
        header.colorType = PNG_COLOR_TYPE_RGB_ALPHA;
        break;
    case FormatRGBA8888:
        header.colorType = PNG_COLOR_TYPE_RGB_ALPHA;
        break;
    default:
        converted = ConvertPixmap(pixmap, FormatRGBA8888);
        source = converted.get();
        header.colorType = PNG_COLOR_TYPE_RGB_ALPHA;
        break;
    }

    bool written = false;
    if (source) {
        PngWrite writer;
        if (writer.info_) {
            std::vector<png_bytep> rows(static_cast<size_t>(std::max(source->height, 0)));
            for (int32_t y = 0; y < source->height; ++y)
                rows[static_cast<size_t>(y)] = source->Row(y);
            png_set_write_fn(writer.png_, stream.get(), WriteToStream, FlushStream);
            written = WritePng(writer.png_, writer.info_, rows.data(), &header, std::clamp(level, 0, 9), bgr) &&
                      stream->Flush();
        }
    }
    stream->Close();
    return written ? 1 : 0;
}
