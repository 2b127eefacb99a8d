#include "tracker/FightChange.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace trevalo {

namespace {

/// Calls \p action with each field's member pointer and its cells, in the same order.
template <class Row, class Action> void ForEachField(ChangedCells<Row>& cells, Action action) {
    [&]<std::size_t... I>(std::index_sequence<I...>) {
        (action(std::get<I>(RowFields<Row>::Members), std::get<I>(cells)), ...);
    }
    (std::make_index_sequence<std::tuple_size_v<ChangedCells<Row>>>());
}

/// The cells of \p before that differ in \p after, which has as many rows.
template <class Row>
ChangedCells<Row> CompareCells(const std::vector<Row>& before, const std::vector<Row>& after) {
    ChangedCells<Row> cells;
    ForEachField<Row>(cells, [&](auto member, auto& changed) {
        for (std::size_t row = 0; row < before.size(); ++row) {
            if (before[row].*member != after[row].*member)
                changed.push_back({static_cast<std::uint32_t>(row), before[row].*member});
        }
        // A step is kept long: it holds no room to grow.
        changed.shrink_to_fit();
    });
    return cells;
}

/// The rows of \p before between the ends that it shares with \p after.
template <class Row>
ReplacedRows<Row> CompareRuns(const std::vector<Row>& before, const std::vector<Row>& after) {
    const std::size_t shorter = std::min(before.size(), after.size());
    const auto head = std::mismatch(before.cbegin(), before.cbegin() + shorter, after.cbegin());
    const std::size_t first = static_cast<std::size_t>(head.first - before.cbegin());
    const auto tail = std::mismatch(before.crbegin(), before.crend() - first, after.crbegin(),
                                    after.crend() - first);
    const std::size_t last = static_cast<std::size_t>(tail.first - before.crbegin());
    // What the ends share, counted once where they overlap.
    const std::size_t common = std::min(last, shorter - first);
    return {first, after.size() - first - common,
            std::vector<Row>(before.cbegin() + static_cast<std::ptrdiff_t>(first),
                             before.cend() - static_cast<std::ptrdiff_t>(common))};
}

template <class Row>
TableChange<Row> CompareTables(const std::vector<Row>& before, const std::vector<Row>& after) {
    if (before.size() == after.size())
        return CompareCells(before, after);
    return CompareRuns(before, after);
}

template <class Row> bool Unchanged(const TableChange<Row>& change) {
    const auto* cells = std::get_if<ChangedCells<Row>>(&change);
    return cells && std::apply([](const auto&... field) { return (field.empty() && ...); }, *cells);
}

template <class Row> void CrossTable(TableChange<Row>& change, std::vector<Row>& rows) {
    if (auto* cells = std::get_if<ChangedCells<Row>>(&change)) {
        ForEachField<Row>(*cells, [&](auto member, auto& changed) {
            for (auto& cell : changed)
                std::swap(rows[cell.Row].*member, cell.Value);
        });
        return;
    }
    auto& run = std::get<ReplacedRows<Row>>(change);
    const auto first = rows.begin() + static_cast<std::ptrdiff_t>(run.First);
    const auto end = first + static_cast<std::ptrdiff_t>(run.Count);
    std::vector<Row> taken(std::make_move_iterator(first), std::make_move_iterator(end));
    const auto place = rows.erase(first, end);
    rows.insert(place, std::make_move_iterator(run.Rows.begin()),
                std::make_move_iterator(run.Rows.end()));
    run.Count = run.Rows.size();
    run.Rows = std::move(taken);
}

} // namespace

std::optional<FightChange> CompareFights(const Fight& before, const Fight& after) {
    FightChange change{CompareTables(before.Combatants, after.Combatants),
                       CompareTables(before.Effects, after.Effects),
                       before.Turn,
                       before.Pass,
                       before.KeepInit,
                       before.UsePasses,
                       std::nullopt};
    if (Unchanged(change.Combatants) && Unchanged(change.Effects) && before.Turn == after.Turn &&
        before.Pass == after.Pass && before.KeepInit == after.KeepInit &&
        before.UsePasses == after.UsePasses)
        return std::nullopt;
    if (before.ShowingAll != after.ShowingAll)
        change.ShowingAll = before.ShowingAll;
    return change;
}

void Cross(FightChange& change, Fight& fight) {
    CrossTable(change.Combatants, fight.Combatants);
    CrossTable(change.Effects, fight.Effects);
    std::swap(change.Turn, fight.Turn);
    std::swap(change.Pass, fight.Pass);
    std::swap(change.KeepInit, fight.KeepInit);
    std::swap(change.UsePasses, fight.UsePasses);
    if (change.ShowingAll) {
        // The step turned it one way, so the way back is the other.
        fight.ShowingAll = *change.ShowingAll && fight.ShowAllEntries;
        change.ShowingAll = !*change.ShowingAll;
    }
}

template <class Row> std::optional<std::size_t> FirstTouched(const TableChange<Row>& change) {
    if (const auto* run = std::get_if<ReplacedRows<Row>>(&change))
        return run->First;
    std::optional<std::size_t> first;
    std::apply(
        [&](const auto&... field) {
            const auto lower = [&](const auto& cells) {
                if (!cells.empty() && (!first || cells.front().Row < *first))
                    first = cells.front().Row;
            };
            (lower(field), ...);
        },
        std::get<ChangedCells<Row>>(change));
    return first;
}

template std::optional<std::size_t> FirstTouched(const TableChange<FightCombatant>&);
template std::optional<std::size_t> FirstTouched(const TableChange<FightEffect>&);

} // namespace trevalo
