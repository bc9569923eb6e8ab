// Chilli-sized rotated bilinear sprites at 1920 × 1080: the rasterizer side by side with SDL_Renderer.
//
// Each frame clears and draws N sprites (74 × 220 and 65 × 207 images in 128 × 256 textures, scaled by
// 0.9375 × 0.703, each turned by its own angle, two textures interleaved, alternately masked and
// alpha-blended). Reported per backend and N: frames per second (wall clock), CPU seconds per frame of
// the whole process (all threads, the GL driver's included), and at the end a table with ratios.
// SDL's backends need a display: run under Xvfb (DISPLAY set); they are skipped without one.
#include "draw2d/soft/soft_rasterizer.h"
#include "runtime/random.h"
#include "sdl_renderer_workload.h"

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace chilli_workload;

// Runs frames until the benchmark stops, then reports fps and CPU seconds per frame.
template <typename Frame> void TimeFrames(benchmark::State& state, Frame frame) {
    const auto wallStart = std::chrono::steady_clock::now();
    const double cpuStart = ProcessCpuSeconds();
    int frames = 0;
    for (auto _ : state)
        frame(frames++);
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    state.counters["fps"] = frames / wall;
    state.counters["cpu_s_per_frame"] = (ProcessCpuSeconds() - cpuStart) / frames;
}

// The rasterizer's quads for one frame, built as the drawing state would: handle at the top-left,
// rotation then scale, texture coordinates up to w / 128 and h / 256.
void SoftFrame(SoftRasterizer& rasterizer, const std::vector<Sprite>& sprites, const SoftTexture* textures, int frame) {
    const SoftClip all = {0, 0, kWidth, kHeight};
    rasterizer.Clear(all, 0xFF000000);
    for (const Sprite& s : sprites) {
        const Image& image = Chilli(s.texture);
        const double r = (double(s.angle) + frame) * 0.017453292519943295;
        const float ix = float(std::cos(r)) * kScaleX, iy = -float(std::sin(r)) * kScaleY;
        const float jx = float(std::sin(r)) * kScaleX, jy = float(std::cos(r)) * kScaleY;
        const float w = float(image.width), h = float(image.height);
        const float um = w / float(kTexW), vm = h / float(kTexH);
        const SoftQuad quad = {{{s.x, s.y, 0, 0},
                                {s.x + w * ix, s.y + w * jx, um, 0},
                                {s.x + w * ix + h * iy, s.y + w * jx + h * jy, um, vm},
                                {s.x + h * iy, s.y + h * jy, 0, vm}}};
        rasterizer.DrawQuads(&textures[s.texture], {s.blend, 0xFFFFFFFF, all}, &quad, 1);
    }
    rasterizer.Finish();
}

// The two textures as a driver would make them, with the hulls of their visible texels.
struct SoftTextures {
    SoftMipLevel levels[2];
    std::vector<SoftHalfPlane> planes[2];
    SoftHull hulls[2];
    SoftTexture textures[2];
    SoftTextures() {
        for (int i = 0; i < 2; ++i) {
            levels[i] = {kTexW, kTexH, Chilli(i).texels.data()};
            planes[i] = SoftFindOpaqueHull(levels[i]);
            hulls[i] = {planes[i].data(), int(planes[i].size())};
            textures[i] = {&levels[i], 1, true, false, &hulls[i]};
        }
    }
};

void BM_Rasterizer(benchmark::State& state, int workers) {
    const std::vector<Sprite> sprites = MakeSprites(int(state.range(0)));
    std::vector<uint32_t> pixels(size_t(kWidth) * kHeight);
    SoftRasterizer rasterizer(workers);
    rasterizer.SetTarget({pixels.data(), kWidth, kHeight, kWidth});
    const SoftTextures textures;
    TimeFrames(state, [&](int frame) { SoftFrame(rasterizer, sprites, textures.textures, frame); });
}

struct SdlVideo {
    bool ok = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    ~SdlVideo() {
        if (ok) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
};

using WindowPtr = std::unique_ptr<SDL_Window, decltype(&SDL_DestroyWindow)>;

WindowPtr OpenWindow() {
    return WindowPtr(SDL_CreateWindow("bench", 0, 0, kWidth, kHeight, SDL_WINDOW_SHOWN), &SDL_DestroyWindow);
}

// The rasterizer drawing straight into the SDL window's surface and presenting it each frame.
void BM_RasterizerPresented(benchmark::State& state) {
    SdlVideo video;
    WindowPtr window = video.ok ? OpenWindow() : WindowPtr(nullptr, &SDL_DestroyWindow);
    SDL_Surface* surface = window ? SDL_GetWindowSurface(window.get()) : nullptr;
    if (!surface || surface->format->BytesPerPixel != 4) {
        state.SkipWithError("no SDL window surface (is DISPLAY set?)");
        return;
    }
    const std::vector<Sprite> sprites = MakeSprites(int(state.range(0)));
    SoftRasterizer rasterizer;
    rasterizer.SetTarget({static_cast<uint32_t*>(surface->pixels), surface->w, surface->h, surface->pitch / 4});
    const SoftTextures textures;
    TimeFrames(state, [&](int frame) {
        SoftFrame(rasterizer, sprites, textures.textures, frame);
        SDL_UpdateWindowSurface(window.get());
    });
}

// One SDL_RenderCopyEx per sprite through the named SDL_Renderer backend, batching on, linear scaling.
void BM_SdlRenderer(benchmark::State& state, const char* driver) {
    SdlVideo video;
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, driver);
    SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "1");
    WindowPtr window = video.ok ? OpenWindow() : WindowPtr(nullptr, &SDL_DestroyWindow);
    SDL_Renderer* renderer = window ? SDL_CreateRenderer(window.get(), -1, 0) : nullptr;
    if (!renderer) {
        state.SkipWithError("no SDL renderer (is DISPLAY set?)");
        return;
    }
    {
        SdlRendererSprites drawn(renderer);
        const std::vector<Sprite> sprites = MakeSprites(int(state.range(0)));
        TimeFrames(state, [&](int frame) { drawn.DrawFrame(sprites, frame); });
    }
    SDL_DestroyRenderer(renderer);
}

void Sizes(benchmark::internal::Benchmark* b) {
    b->Arg(200)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
}

BENCHMARK_CAPTURE(BM_Rasterizer, two_workers, 2)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_Rasterizer, one_worker, 1)->Apply(Sizes);
BENCHMARK(BM_RasterizerPresented)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_SdlRenderer, software, "software")->Apply(Sizes);
BENCHMARK_CAPTURE(BM_SdlRenderer, opengl, "opengl")->Apply(Sizes);

// The usual console output, plus a closing table of fps with the ratios to the best SDL backend.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred || run.run_type != Run::RT_Iteration) continue;
            // Names read backend[/variant]/N/...: the first all-digit part is N.
            const std::string name = run.benchmark_name();
            size_t at = 0;
            while ((at = name.find('/', at)) != std::string::npos && !std::isdigit(name[at + 1] & 0xFF))
                ++at;
            if (at == std::string::npos) continue;
            fps_[name.substr(0, at)][std::atoi(name.c_str() + at + 1)] = run.counters.at("fps");
        }
    }
    void PrintSummary() const {
        std::printf("\nfps by backend and N, and the ratio to the best SDL_Renderer backend at that N\n");
        for (const auto& [backend, byN] : fps_) {
            std::printf("%-36s", backend.c_str());
            for (const auto& [n, fps] : byN) {
                double best = 0;
                for (const char* sdl : {"BM_SdlRenderer/software", "BM_SdlRenderer/opengl"}) {
                    const auto b = fps_.find(sdl);
                    if (b != fps_.end() && b->second.count(n)) best = std::max(best, b->second.at(n));
                }
                std::printf("  N=%-5d %7.1f fps", n, fps);
                if (best > 0) std::printf(" (%4.1fx)", fps / best);
            }
            std::printf("\n");
        }
    }

private:
    std::map<std::string, std::map<int, double>> fps_;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintSummary();
    benchmark::Shutdown();
    return 0;
}
