// The floor the grid's reload and sort are held against: the same logical work on plain
// arrays, in the same binary so that the ratio holds on a noisy machine.
#include <algorithm>
#include <array>
#include <benchmark/benchmark.h>
#include <cstdint>
#include <numeric>
#include <random>
#include <vector>

namespace {

/// A combatant as fixed-width fields: ID, Name (50 characters), Init, Active, Passes.
struct PlainCombatant {
    std::int32_t Id = 0;
    std::array<char16_t, 51> Name{};
    std::int32_t Init = 0;
    bool InitNull = false;
    bool Active = true;
    std::int32_t Passes = 1;
};

std::vector<PlainCombatant> Combatants(int count) {
    std::mt19937 random(42);
    std::vector<PlainCombatant> combatants(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        PlainCombatant& combatant = combatants[static_cast<std::size_t>(i)];
        combatant.Id = i;
        combatant.Init = std::uniform_int_distribution(1, 30)(random);
        combatant.Name[0] = u'C';
    }
    return combatants;
}

// Init descending with blanks last, then the record index: the grid's total order.
void SortRows(const std::vector<PlainCombatant>& cache, std::vector<int>& rows) {
    std::iota(rows.begin(), rows.end(), 0);
    std::sort(rows.begin(), rows.end(), [&cache](int a, int b) {
        const PlainCombatant& x = cache[static_cast<std::size_t>(a)];
        const PlainCombatant& y = cache[static_cast<std::size_t>(b)];
        if (x.InitNull != y.InitNull)
            return y.InitNull;
        if (x.Init != y.Init)
            return x.Init > y.Init;
        return a < b;
    });
}

void FloorReloadAndSort(benchmark::State& state) {
    const std::vector<PlainCombatant> stored = Combatants(static_cast<int>(state.range(0)));
    std::vector<PlainCombatant> cache(stored.size());
    std::vector<int> rows(stored.size());
    for (auto _ : state) {
        std::copy(stored.cbegin(), stored.cend(), cache.begin());
        SortRows(cache, rows);
        benchmark::DoNotOptimize(rows.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void FloorResort(benchmark::State& state) {
    const std::vector<PlainCombatant> cache = Combatants(static_cast<int>(state.range(0)));
    std::vector<int> rows(cache.size());
    for (auto _ : state) {
        SortRows(cache, rows);
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
