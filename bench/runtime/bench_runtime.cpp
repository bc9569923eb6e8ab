// Cost of the generator and of the text conversions that read every settings file.
#include "runtime/convert.h"
#include "runtime/random.h"

#include <benchmark/benchmark.h>

static void BM_RandomReal(benchmark::State& state) {
    SeedRandom(1);
    for (auto _ : state)
        benchmark::DoNotOptimize(RandomReal(1.0, 5.0));
}
BENCHMARK(BM_RandomReal);

static void BM_TextToInt(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(TextToInt(" -2147483648xyz"));
}
BENCHMARK(BM_TextToInt);

static void BM_FloatToText(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(FloatToText(0.0666666701f));
}
BENCHMARK(BM_FloatToText);

BENCHMARK_MAIN();
