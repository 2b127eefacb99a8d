// The floor the grid's reload and sort are held against: the same logical work on plain
// arrays, in the same binary so that the ratio holds on a noisy machine.
#include "bench/PlainCombatants.h"

#include <algorithm>
#include <benchmark/benchmark.h>

namespace {

using trevalo::bench::PlainCombatant;

void FloorReloadAndSort(benchmark::State& state) {
    const std::vector<PlainCombatant> stored =
        trevalo::bench::PlainCombatants(static_cast<int>(state.range(0)));
    std::vector<PlainCombatant> cache(stored.size());
    std::vector<int> rows;
    for (auto _ : state) {
        std::copy(stored.cbegin(), stored.cend(), cache.begin());
        trevalo::bench::SortRows(cache, rows);
        benchmark::DoNotOptimize(rows.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void FloorResort(benchmark::State& state) {
    const std::vector<PlainCombatant> cache =
        trevalo::bench::PlainCombatants(static_cast<int>(state.range(0)));
    std::vector<int> rows;
    for (auto _ : state) {
        trevalo::bench::SortRows(cache, rows);
        benchmark::DoNotOptimize(rows.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(FloorReloadAndSort)
    ->RangeMultiplier(10)
    ->Range(100, 10000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(FloorResort)->RangeMultiplier(10)->Range(100, 10000)->Unit(benchmark::kMicrosecond);

} // namespace
