#include "bench/PlainCombatants.h"

#include <algorithm>
#include <numeric>
#include <random>

namespace trevalo::bench {

std::vector<PlainCombatant> PlainCombatants(int count) {
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

void SortRows(const std::vector<PlainCombatant>& cache, std::vector<int>& rows) {
    rows.resize(cache.size());
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

} // namespace trevalo::bench
