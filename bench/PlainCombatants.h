/// \file
/// The floor the tracker's speed is held against: combatants as fixed-width records in a plain
/// array, and the grid's total order computed over them.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace trevalo::bench {

/// A combatant as fixed-width fields: ID, Name (50 characters), Init, Active, Passes.
struct PlainCombatant {
    std::int32_t Id = 0;
    std::array<char16_t, 51> Name{};
    std::int32_t Init = 0;
    bool InitNull = false;
    bool Active = true;
    std::int32_t Passes = 1;
};

/// \p count combatants with initiatives from 1 to 30, the same for every call.
std::vector<PlainCombatant> PlainCombatants(int count);

/// \p rows becomes the records of \p cache by Init descending, blanks last, then record index.
void SortRows(const std::vector<PlainCombatant>& cache, std::vector<int>& rows);

} // namespace trevalo::bench
