// Timing of a whole run and of one temperature pass, reports kept in memory.
#include <benchmark/benchmark.h>

#include "sweep.h"
#include "vdw.h"

namespace {

void whole_run(benchmark::State& state)
{
    for (auto _ : state) {
        Output out;
        run(1.5, out);
        benchmark::DoNotOptimize(out.properties.data());
    }
}
BENCHMARK(whole_run)->Unit(benchmark::kMillisecond);

void one_pass(benchmark::State& state)
{
    Output out;
    for (auto _ : state) {
        t = 0.75;
        out.coexistence.clear();
        out.properties.clear();
        pass(1.5, out);
        benchmark::DoNotOptimize(out.properties.data());
    }
}
BENCHMARK(one_pass)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
