// Loading a catalogue's worth of pictures from memory: 100 PNGs of about 80 x 160 pixels, each
// decoded, masked and made into a mipmapped texture, as the saver does when it starts.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "draw2d/image.h"
#include "draw2d/png_io.h"
#include "draw2d/resources.h"
#include "draw2d/texture_prep.h"

namespace {

// Collects what SavePixmapPng writes.
class BufferStream final : public TStream {
public:
    explicit BufferStream(std::vector<uint8_t>& bytes) : bytes_(bytes) {}
    size_t Read(void*, size_t) override { return 0; }
    size_t Write(const void* buffer, size_t count) override {
        const auto* p = static_cast<const uint8_t*>(buffer);
        bytes_.insert(bytes_.end(), p, p + count);
        return count;
    }
    int64_t Position() override { return static_cast<int64_t>(bytes_.size()); }
    bool Seek(int64_t) override { return false; }

private:
    std::vector<uint8_t>& bytes_;
};

// 100 RGB pictures: a coloured, shaded ellipse on black, sizes around 80 x 160.
const std::vector<std::string>& Catalogue() {
    static std::vector<std::vector<uint8_t>> files(100);
    static std::vector<std::string> names;
    if (!names.empty()) return names;
    for (int i = 0; i < 100; ++i) {
        const int width = 70 + i % 21, height = 150 + i % 23;
        PixmapPtr pixmap = CreatePixmap(width, height, FormatRGB888, 4);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const double dx = (x - width / 2.0) / (width / 2.0), dy = (y - height / 2.0) / (height / 2.0);
                const bool inside = dx * dx + dy * dy < 0.8;
                const auto shade = static_cast<uint32_t>(120 + (x * 3 + y + i) % 120);
                WritePixel(*pixmap, x, y, inside ? 0xFF000000u | shade << 16 | (shade / 3) << 8 : 0xFF000000u);
            }
        }
        SavePixmapPng(*pixmap, std::make_shared<BufferStream>(files[i]), 9);
        names.push_back("bench/chilli" + std::to_string(i) + ".png");
        RegisterResource(names.back(), files[i].data(), files[i].size());
    }
    return names;
}

void BM_LoadMaskAndMipmapCatalogue(benchmark::State& state) {
    const auto& names = Catalogue();
    for (auto _ : state) {
        for (const std::string& name : names) {
            ImagePtr image = LoadImage("incbin::" + name, ImageMasked | ImageFiltered | ImageMipmapped);
            PreparedTexture texture = PrepareTexture(*image->pixmaps[0], image->flags);
            benchmark::DoNotOptimize(texture.levels.back().pixels.data());
        }
    }
}
BENCHMARK(BM_LoadMaskAndMipmapCatalogue)->Unit(benchmark::kMillisecond);

// The decoding alone, to tell it apart from masking and mipmapping.
void BM_DecodeCatalogue(benchmark::State& state) {
    const auto& names = Catalogue();
    for (auto _ : state) {
        for (const std::string& name : names)
            benchmark::DoNotOptimize(LoadImage("incbin::" + name, 0).get());
    }
}
BENCHMARK(BM_DecodeCatalogue)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
