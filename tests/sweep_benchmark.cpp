// Timing of a whole run and of one temperature pass, reports kept in memory.
#include <benchmark/benchmark.h>

#include <string>

#include "sweep.h"

namespace {

void whole_run(benchmark::State& state)
{
    for (auto _ : state) {
        const Output out = run(1.5);
        benchmark::DoNotOptimize(out.properties.data());
    }
}
BENCHMARK(whole_run)->Unit(benchmark::kMillisecond);

void one_pass(benchmark::State& state)
{
    Output out;
    std::string trace;
    for (auto _ : state) {
        out.coexistence.clear();
        out.properties.clear();
        out.states.clear();
        write(1.5, find(Isotherm{0.75}, trace), out);
        benchmark::DoNotOptimize(out.properties.data());
    }
}
BENCHMARK(one_pass)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
