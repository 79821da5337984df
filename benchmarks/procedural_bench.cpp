// Per-call cost of the two procedural routines the frame loop runs: one generator draw per
// static frame word, two noise evaluations per wind-vane frame.
#include <cstdint>

#include <benchmark/benchmark.h>

#include "procedural/Mt19937.h"
#include "procedural/PeriodicNoise.h"
#include "procedural/PermutationTable.h"

namespace {

// Every iteration is one draw, so the per-word regeneration and the index wrap at 624 are
// both inside the average.
void BM_next(benchmark::State& state) {
    Mt19937 generator;
    seedLcg(generator);
    for (auto _ : state) {
        benchmark::DoNotOptimize(next(generator));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_next);

// Points off the lattice, spread over the unit square, at the two periods the wind vane uses.
void BM_periodicNoise(benchmark::State& state) {
    Mt19937 generator;
    seedLcg(generator);
    PermutationTable permutation{};
    buildPermutationTable(permutation, generator);
    const auto period = static_cast<std::uint32_t>(state.range(0));
    NoisePoint point{0.0137f, 0.7351f};
    for (auto _ : state) {
        benchmark::DoNotOptimize(periodicNoise(permutation, point, period));
        point.x += 0.00731f;
        if (point.x >= 1.0f) {
            point.x -= 1.0f;
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_periodicNoise)->Arg(16)->Arg(128);

} // namespace

BENCHMARK_MAIN();
