// Cost of the event path: emitting and taking events through the queue, merging, and running a
// hook chain.
#include "gui/events/hooks.h"
#include "gui/events/queue.h"

#include <benchmark/benchmark.h>

namespace {

std::shared_ptr<TObject> PassOn(int32_t, const std::shared_ptr<TObject>& data, const std::shared_ptr<TObject>&) {
    return data;
}

// An event made once and posted again each time: measures the queue, not the allocator.
void BM_PostAndTake(benchmark::State& state) {
    const auto event = MakeEvent(EventKeyDown, nullptr, 65);
    for (auto _ : state) {
        PostEvent(event, false);
        benchmark::DoNotOptimize(PollEvent());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PostAndTake);

// The full path of an input event: made, emitted through the hook chain, queued, taken.
void BM_EmitAndTakeNewEvent(benchmark::State& state) {
    for (auto _ : state) {
        EmitEvent(MakeEvent(EventMouseMove, nullptr, 0, 0, 10, 20));
        benchmark::DoNotOptimize(PollEvent());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EmitAndTakeNewEvent);

// A burst of 256 events, then all taken: the ring at its fullest.
void BM_FillAndDrain(benchmark::State& state) {
    const auto event = MakeEvent(EventKeyDown, nullptr, 65);
    for (auto _ : state) {
        for (int i = 0; i < kEventQueueSize; ++i)
            PostEvent(event, false);
        while (PollEvent() != 0) {
        }
    }
    state.SetItemsProcessed(state.iterations() * kEventQueueSize);
}
BENCHMARK(BM_FillAndDrain);

// A merged id searched against a queue holding `range` other events first.
void BM_MergeBehindQueuedEvents(benchmark::State& state) {
    const auto other = MakeEvent(EventKeyDown, nullptr, 65);
    for (int64_t i = 0; i < state.range(0); ++i)
        PostEvent(other, false);
    const auto tick = MakeEvent(EventTimerTick, nullptr, 1);
    PostEvent(tick, false);
    for (auto _ : state)
        PostEvent(MakeEvent(EventTimerTick, nullptr, 2), true);
    while (PollEvent() != 0) {
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MergeBehindQueuedEvents)->Arg(0)->Arg(254);

// RunHooks over a chain of `range` hooks that pass the data on.
void BM_HookDispatch(benchmark::State& state) {
    const int32_t id = AllocHookId();
    for (int64_t i = 0; i < state.range(0); ++i)
        AddHook(id, PassOn, nullptr, 0);
    const std::shared_ptr<TObject> data = MakeEvent(EventKeyDown);
    for (auto _ : state)
        benchmark::DoNotOptimize(RunHooks(id, data));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_HookDispatch)->Arg(1)->Arg(8)->Arg(64);

} // namespace

BENCHMARK_MAIN();
