/// \file
/// What one step did to the fight, kept as the values on its other side: crossed into the fight,
/// it takes the fight over the step, back or forth, and keeps what it took out for the way
/// back. Only what differs is kept, so that a step costs what it changed, not what the fight
/// holds.
#pragma once

#include "tracker/Fight.h"

#include <cstdint>
#include <tuple>
#include <variant>
#include <vector>

namespace trevalo {

/// The fields of a table's rows, each kept cell by cell.
template <class Row> struct RowFields;
template <> struct RowFields<FightCombatant> {
    static constexpr std::tuple Members{&FightCombatant::Name, &FightCombatant::Init,
                                        &FightCombatant::Passes, &FightCombatant::Active};
};
template <> struct RowFields<FightEffect> {
    static constexpr std::tuple Members{&FightEffect::EffectName, &FightEffect::EndOnTurn};
};

/// A cell's value on the other side.
template <class T> struct OtherCell {
    std::uint32_t Row; ///< in the table's order
    T Value;
};

template <class Members> struct CellsOfMembers;
template <class Row, class... T> struct CellsOfMembers<std::tuple<T Row::*...>> {
    using Type = std::tuple<std::vector<OtherCell<T>>...>;
};
/// Per field of \p Row, the cells that differ on the other side.
template <class Row>
using ChangedCells =
    typename CellsOfMembers<std::remove_cv_t<decltype(RowFields<Row>::Members)>>::Type;

/// A run of rows that the other side holds in place of [First, First + Count).
template <class Row> struct ReplacedRows {
    std::size_t First = 0;
    std::size_t Count = 0;
    std::vector<Row> Rows;
};

/// One table over a step: the cells that differ while its rows stay, or, when the step added or
/// deleted rows, the run of rows that differs.
template <class Row> using TableChange = std::variant<ChangedCells<Row>, ReplacedRows<Row>>;

struct FightChange {
    TableChange<FightCombatant> Combatants;
    TableChange<FightEffect> Effects;
    std::int32_t Turn = 0;
    std::int32_t Pass = 0;
    bool KeepInit = false;
    bool UsePasses = false;
    /// Whether the other side shows every combatant, where the step changed it, as New Turn
    /// does when it filters again under a ticked "Show All Entries".
    std::optional<bool> ShowingAll;
};

/// The change that takes \p after back to \p before; none when they differ in nothing but what
/// "Show All Entries" shows, which is no step.
std::optional<FightChange> CompareFights(const Fight& before, const Fight& after);

/// Takes \p fight over \p change, which keeps what was taken out, for the way back. "Show All
/// Entries" stays as it is, and so does what it shows unless the step changed that; everyone
/// shows only while the box is ticked.
void Cross(FightChange& change, Fight& fight);

/// The first row, in the table's order, that \p change gives another value or puts elsewhere;
/// none when it leaves the table as it is.
template <class Row> std::optional<std::size_t> FirstTouched(const TableChange<Row>& change);

} // namespace trevalo
