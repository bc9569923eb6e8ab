// Chilli sprites at 1920 x 1080 through the drawing layer with the OpenGL driver and with the
// software driver in an SDL window, beside SDL_Renderer's OpenGL backend (one SDL_RenderCopyEx per
// sprite, batching on). Reports fps, CPU seconds per frame and GL draw calls per frame. Needs X.
#include "sdl_renderer_workload.h"

#include "draw2d/draw_context.h"
#include "draw2d/gl/gl_driver.h"
#include "draw2d/graphics.h"
#include "draw2d/sdl/sdl_soft_host.h"
#include "draw2d/soft/soft_driver.h"

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>

namespace {

using namespace chilli_workload;

template <typename Frame> void TimeFrames(benchmark::State& state, Frame frame) {
    const auto wallStart = std::chrono::steady_clock::now();
    const double cpuStart = ProcessCpuSeconds();
    const uint64_t callsStart = OpenGLDrawCallCount();
    int frames = 0;
    for (auto _ : state)
        frame(frames++);
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    state.counters["fps"] = frames / wall;
    state.counters["cpu_s_per_frame"] = (ProcessCpuSeconds() - cpuStart) / frames;
    state.counters["gl_calls_per_frame"] = double(OpenGLDrawCallCount() - callsStart) / frames;
}

// The pictures as images: the texels of the workload's top-left w x h.
ImagePtr ChilliImage(int which) {
    const Image& chilli = Chilli(which);
    PixmapPtr pixmap = CreatePixmap(chilli.width, chilli.height, FormatRGBA8888, 4);
    for (int y = 0; y < chilli.height; ++y)
        for (int x = 0; x < chilli.width; ++x)
            WritePixel(*pixmap, x, y, chilli.texels[size_t(y) * kTexW + x]);
    return LoadImage(pixmap, ImageFiltered);
}

void BM_Layer(benchmark::State& state, bool gl) {
    SelectDriver(gl ? OpenGLDriver() : SoftwareDriver(SdlSoftWindowHost()), BackBufferFlag);
    if (!OpenDisplay(kWidth, kHeight, 0, 0, 0)) {
        state.SkipWithError("no display (is DISPLAY set?)");
        return;
    }
    const ImagePtr images[2] = {ChilliImage(0), ChilliImage(1)};
    const std::vector<Sprite> sprites = MakeSprites(int(state.range(0)));
    TimeFrames(state, [&](int frame) {
        SetBlend(BlendSolid);
        ClearBackBuffer();
        for (const Sprite& s : sprites) {
            SetBlend(s.blend);
            SetTransform(s.angle + float(frame), kScaleX, kScaleY);
            DrawImage(images[s.texture], s.x, s.y);
        }
        Flip(0);
    });
    CloseDisplay();
    SelectDriver(nullptr, 0);
}

void BM_SdlRendererGl(benchmark::State& state) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        state.SkipWithError("no SDL video");
        return;
    }
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
    SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "1");
    SDL_Window* window = SDL_CreateWindow("bench", 0, 0, kWidth, kHeight, SDL_WINDOW_SHOWN);
    SDL_Renderer* renderer = window ? SDL_CreateRenderer(window, -1, 0) : nullptr;
    if (!renderer) {
        state.SkipWithError("no SDL renderer");
        return;
    }
    {
        SdlRendererSprites drawn(renderer);
        const std::vector<Sprite> sprites = MakeSprites(int(state.range(0)));
        TimeFrames(state, [&](int frame) { drawn.DrawFrame(sprites, frame); });
    }
    SDL_DestroyRenderer(renderer);
    SDL_DestroyWindow(window);
}

void Sizes(benchmark::internal::Benchmark* b) {
    b->Arg(200)->Arg(1000)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
}

BENCHMARK_CAPTURE(BM_Layer, opengl_driver, true)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_Layer, software_driver, false)->Apply(Sizes);
BENCHMARK(BM_SdlRendererGl)->Apply(Sizes);

} // namespace

BENCHMARK_MAIN();
