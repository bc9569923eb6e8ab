// PNG encoding with libpng into memory, and median-cut quantisation for the palette pictures.
#include "png_out.h"

#include <png.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

namespace chilli_art {

namespace {

using Colour = std::array<uint8_t, 3>;

struct Box {
    std::vector<Colour> colours;
};

int WidestChannel(const Box& box, int& range) {
    int best = 0;
    range = -1;
    for (int c = 0; c < 3; ++c) {
        auto [lo, hi] = std::minmax_element(box.colours.begin(), box.colours.end(),
                                            [c](const Colour& a, const Colour& b) { return a[c] < b[c]; });
        int r = (*hi)[c] - (*lo)[c];
        if (r > range) {
            range = r;
            best = c;
        }
    }
    return best;
}

// Median cut over the pod's pixels; returns up to `count` representative colours, none of them black.
std::vector<Colour> MedianCut(std::vector<Colour> colours, size_t count) {
    std::vector<Box> boxes;
    if (colours.empty()) return {};
    boxes.push_back({std::move(colours)});
    while (boxes.size() < count) {
        // Split the box with the widest spread, weighted by its pixel count.
        size_t pick = boxes.size();
        long bestScore = 0;
        for (size_t i = 0; i < boxes.size(); ++i) {
            if (boxes[i].colours.size() < 2) continue;
            int range;
            WidestChannel(boxes[i], range);
            long score = static_cast<long>(range) * static_cast<long>(std::min<size_t>(boxes[i].colours.size(), 4096));
            if (score > bestScore) {
                bestScore = score;
                pick = i;
            }
        }
        if (pick == boxes.size()) break;
        int range;
        int channel = WidestChannel(boxes[pick], range);
        std::vector<Colour>& all = boxes[pick].colours;
        std::sort(all.begin(), all.end(), [channel](const Colour& a, const Colour& b) {
            return a[channel] != b[channel] ? a[channel] < b[channel] : a < b;
        });
        size_t half = all.size() / 2;
        Box upper{std::vector<Colour>(all.begin() + static_cast<long>(half), all.end())};
        all.resize(half);
        boxes.push_back(std::move(upper));
    }
    std::vector<Colour> result;
    for (const Box& box : boxes) {
        long sum[3] = {0, 0, 0};
        for (const Colour& c : box.colours)
            for (int k = 0; k < 3; ++k)
                sum[k] += c[k];
        long n = static_cast<long>(box.colours.size());
        Colour mean;
        for (int k = 0; k < 3; ++k)
            mean[k] = static_cast<uint8_t>((sum[k] + n / 2) / n);
        if (mean[0] == 0 && mean[1] == 0 && mean[2] == 0) mean = {1, 1, 1};
        result.push_back(mean);
    }
    return result;
}

size_t Nearest(const std::vector<uint8_t>& palette, const uint8_t* rgb) {
    size_t best = 1;
    long bestDistance = -1;
    for (size_t i = 1; i < palette.size() / 3; ++i) {
        long d = 0;
        for (int k = 0; k < 3; ++k) {
            long diff = static_cast<long>(palette[i * 3 + static_cast<size_t>(k)]) - rgb[k];
            d += diff * diff;
        }
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

void WriteToVector(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}
void NoFlush(png_structp) {}

} // namespace

Encoded Encode(const Image& image, PixelKind kind) {
    Encoded out;
    out.width = image.width;
    out.height = image.height;
    out.kind = kind;
    size_t count = static_cast<size_t>(image.width) * static_cast<size_t>(image.height);
    if (kind == PixelKind::Rgba) {
        out.pixels = image.rgba;
        return out;
    }
    // Onto black: the edge samples that missed the pod darken the pixel toward the background.
    std::vector<uint8_t> rgb(count * 3);
    for (size_t i = 0; i < count; ++i) {
        unsigned alpha = image.rgba[i * 4 + 3];
        for (size_t k = 0; k < 3; ++k)
            rgb[i * 3 + k] = static_cast<uint8_t>((image.rgba[i * 4 + k] * alpha + 127) / 255);
    }
    if (kind == PixelKind::Rgb) {
        out.pixels = std::move(rgb);
        return out;
    }
    std::vector<Colour> podColours;
    for (size_t i = 0; i < count; ++i)
        if (rgb[i * 3] | rgb[i * 3 + 1] | rgb[i * 3 + 2])
            podColours.push_back({rgb[i * 3], rgb[i * 3 + 1], rgb[i * 3 + 2]});
    out.palette = {0, 0, 0};
    for (const Colour& c : MedianCut(podColours, 255))
        out.palette.insert(out.palette.end(), c.begin(), c.end());
    out.pixels.assign(count, 0);
    for (size_t i = 0; i < count; ++i)
        if (rgb[i * 3] | rgb[i * 3 + 1] | rgb[i * 3 + 2])
            out.pixels[i] = static_cast<uint8_t>(Nearest(out.palette, &rgb[i * 3]));
    return out;
}

std::vector<uint8_t> WritePng(const Encoded& encoded) {
    std::vector<uint8_t> bytes;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return {};
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &bytes, WriteToVector, NoFlush);
    png_set_compression_level(png, 9);
    int colourType = encoded.kind == PixelKind::Rgb       ? PNG_COLOR_TYPE_RGB
                     : encoded.kind == PixelKind::Palette ? PNG_COLOR_TYPE_PALETTE
                                                          : PNG_COLOR_TYPE_RGB_ALPHA;
    png_set_IHDR(png, info, static_cast<png_uint_32>(encoded.width), static_cast<png_uint_32>(encoded.height), 8,
                 colourType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> palette;
    if (encoded.kind == PixelKind::Palette) {
        for (size_t i = 0; i + 2 < encoded.palette.size(); i += 3)
            palette.push_back({encoded.palette[i], encoded.palette[i + 1], encoded.palette[i + 2]});
        png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    }
    png_write_info(png, info);
    size_t stride = static_cast<size_t>(encoded.width) * (encoded.kind == PixelKind::Rgb       ? 3u
                                                          : encoded.kind == PixelKind::Palette ? 1u
                                                                                               : 4u);
    for (int y = 0; y < encoded.height; ++y)
        png_write_row(png, const_cast<png_bytep>(&encoded.pixels[static_cast<size_t>(y) * stride]));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return bytes;
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}

} // namespace chilli_art
