// The show's cost: Update per chilli, whole frames (Update, Draw, present) at 1920 x 1080 on the
// offscreen software display (drawn where they changed, or whole), with one view or two, start-up
// to the first frame (loading the 100 pictures included), the heap a long show keeps per change of
// varieties and per frame, and the CPU share of the full-screen saver while the display is
// switched off.
#include "saver/catalogue.h"
#include "saver/chilli.h"
#include "saver/platform.h"
#include "saver/saver.h"
#include "saver/show_views.h"
#include "saver/startup.h"

#include "draw2d/draw_context.h"
#include "draw2d/graphics.h"
#include "draw2d/soft/soft_driver.h"
#include "gui/events/event.h"
#include "gui/events/hooks.h"
#include "gui/events/key_codes.h"
#include "gui/events/queue.h"
#include "gui/events/timer.h"
#include "runtime/random.h"

#include <benchmark/benchmark.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

// The show of `count` chillies on an offscreen display `width` pixels wide (16:9).
void StartShow(TSaver& saver, int32_t count, int32_t mode, bool wholeFrames = false, int32_t width = 1920) {
    const int32_t height = width * 9 / 16;
    static const bool registered = (RegisterEmbeddedPictures(), true);
    (void)registered;
    ChilliList.clear();
    SwayStep = 4;
    VarietyPoolSize = 100;
    RunModeLetter = "s";
    CurrentMotionMode = mode;
    SelectDriver(SoftwareDriver(nullptr, wholeFrames), BackBufferFlag);
    OpenDisplay(width, height, 32, 0, 0);
    saver.ViewWidth = width;
    saver.ViewHeight = height;
    SeedRandom(12345);
    saver.CreateChillies(count);
}

// Whole frames (Update, Draw, present) for as long as the benchmark asks, counted as frames a
// second; closes the display after.
void FramesPerSecond(benchmark::State& state, TSaver& saver) {
    for (auto _ : state) {
        saver.Update();
        saver.Draw();
        Flip(-1);
    }
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    CloseDisplay();
}

void BM_UpdatePerChilli(benchmark::State& state) {
    TSaver saver;
    StartShow(saver, static_cast<int32_t>(state.range(0)), static_cast<int32_t>(state.range(1)));
    for (auto _ : state)
        saver.Update();
    state.SetItemsProcessed(state.iterations() * state.range(0));
    CloseDisplay();
}
BENCHMARK(BM_UpdatePerChilli)->ArgsProduct({{10000}, {1, 4}});

// range(0) chillies on a display range(1) pixels wide.
void BM_Frame(benchmark::State& state) {
    TSaver saver;
    StartShow(saver, static_cast<int32_t>(state.range(0)), 1, false, static_cast<int32_t>(state.range(1)));
    FramesPerSecond(state, saver);
}
BENCHMARK(BM_Frame)
    ->ArgsProduct({{20, 200, 1000}, {1920, 3840}})
    ->Args({10000, 1920})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The same frames with the driver's damage tracking off: every frame drawn whole, as the
// reference BM_Frame's partial redraws are weighed against.
void BM_FrameDrawnWhole(benchmark::State& state) {
    TSaver saver;
    StartShow(saver, static_cast<int32_t>(state.range(0)), 1, true, static_cast<int32_t>(state.range(1)));
    FramesPerSecond(state, saver);
}
BENCHMARK(BM_FrameDrawnWhole)
    ->ArgsProduct({{20, 200, 1000}, {1920, 3840}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// From nothing loaded to the first presented frame of the default show (200 chillies).
void BM_StartToFirstFrame(benchmark::State& state) {
    for (auto _ : state) {
        TSaver saver;
        StartShow(saver, 200, 1);
        saver.Update();
        saver.Draw();
        Flip(-1);
        state.PauseTiming();
        CloseDisplay();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartToFirstFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

#ifdef __GLIBC__
double HeapBytes() {
    return static_cast<double>(mallinfo2().uordblks);
}

// 1000 chillies with shadows: a change of varieties every frame for range(0) frames. The first
// pass starts cold (each picture's texture is made the first time it is drawn); the second runs
// the same changes again, when every texture exists. Flat memory means the second grows nothing.
void BM_HeapPerVarietyChange(benchmark::State& state) {
    const int frames = static_cast<int>(state.range(0));
    for (auto _ : state) {
        TSaver saver;
        Shadows = 1;
        StartShow(saver, 1000, 1);
        const auto run = [&] {
            for (int i = 0; i < frames; ++i) {
                ShowNewVarieties(saver);
                saver.Update();
                saver.Draw();
                Flip(0);
            }
        };
        const double start = HeapBytes();
        run();
        const double warm = HeapBytes();
        run();
        const double end = HeapBytes();
        state.counters["heap_start_MB"] = start / 1048576.0;
        state.counters["cold_growth_bytes_per_change"] = (warm - start) / frames;
        state.counters["warm_growth_bytes_per_change"] = (end - warm) / frames;
        CloseDisplay();
        Shadows = 0;
    }
}
BENCHMARK(BM_HeapPerVarietyChange)->Arg(500)->Iterations(1)->Unit(benchmark::kSecond);
#endif

// One view over the display against two views of half its width each (the same pixels, each view
// with its own range(0) chillies): whole frames a second.
void BM_FrameViews(benchmark::State& state) {
    TSaver saver;
    ShowViews.clear();
    if (state.range(1) == 2) ShowViews = {{0, 0, 960, 1080}, {960, 0, 960, 1080}};
    StartShow(saver, static_cast<int32_t>(state.range(0)), 1);
    FramesPerSecond(state, saver);
    ShowViews.clear();
}
BENCHMARK(BM_FrameViews)->ArgsProduct({{200}, {1, 2}})->Unit(benchmark::kMillisecond)->UseRealTime();

// Ends the saver with a key press after range(0) ticks of the bench's own clock.
struct KeyAfterTicks : TObject {
    std::shared_ptr<TTimer> clock;
    int32_t ticksLeft = 0;
};

std::shared_ptr<TObject> PressKeyWhenDue(int32_t, const std::shared_ptr<TObject>& data,
                                         const std::shared_ptr<TObject>& context) {
    auto& due = static_cast<KeyAfterTicks&>(*context);
    const auto* event = dynamic_cast<const TEvent*>(data.get());
    if (event && event->id == EventTimerTick && event->source == due.clock && --due.ticksLeft == 0)
        EmitEvent(MakeEvent(EventKeyDown, nullptr, KeyA));
    return data;
}

// The full-screen saver for two seconds on a 1920 x 1080 screen whose display is switched off
// (range(0) 1) or on (0): the process's CPU time against the wall clock is its CPU share.
void BM_SaverWithDisplayOff(benchmark::State& state) {
    static const bool registered = (RegisterEmbeddedPictures(), true);
    (void)registered;
    for (auto _ : state) {
        auto platform = std::make_unique<HeadlessPlatform>();
        platform->caps = {1920, 1080, 24, 1, 60};
        platform->displayOff = state.range(0) == 1;
        SetPlatform(std::move(platform));
        SelectDriver(SoftwareDriver(), BackBufferFlag);
        ChilliList.clear();
        SwayStep = 4;
        VarietyPoolSize = 100;
        CurrentMotionMode = 1;
        RunModeLetter = "s";
        TSaver saver;
        auto due = std::make_shared<KeyAfterTicks>();
        due->ticksLeft = 20;
        AddHook(EmitEventHook(), PressKeyWhenDue, due, 0);
        due->clock = CreateTimer(10);
        saver.RunSaver();
        StopTimer(due->clock);
        RemoveHook(EmitEventHook(), PressKeyWhenDue, due);
        CloseDisplay();
        SelectDriver(nullptr, 0);
        SetPlatform(nullptr);
    }
}
BENCHMARK(BM_SaverWithDisplayOff)
    ->Arg(1)
    ->Arg(0)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();

} // namespace

BENCHMARK_MAIN();
