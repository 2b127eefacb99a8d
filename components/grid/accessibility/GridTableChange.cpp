#include "components/grid/accessibility/GridTableChange.h"

#include <algorithm>

namespace trevalo {

namespace {

using Kind = GridTableChange::Kind;

/// Whether \p longer is \p shorter with rows first..first+count-1 put in.
bool HoldsBlockAt(const QList<QStringList>& longer, const QList<QStringList>& shorter, int first,
                  int count) {
    return std::equal(longer.cbegin(), longer.cbegin() + first, shorter.cbegin()) &&
           std::equal(longer.cbegin() + first + count, longer.cend(), shorter.cbegin() + first);
}

GridTableChange CompareRowCounts(const QList<QStringList>& before,
                                 const QList<QStringList>& after) {
    const bool grew = after.size() > before.size();
    const QList<QStringList>& longer = grew ? after : before;
    const QList<QStringList>& shorter = grew ? before : after;
    const int count = static_cast<int>(longer.size() - shorter.size());
    const auto differ = std::mismatch(shorter.cbegin(), shorter.cend(), longer.cbegin());
    const int first = static_cast<int>(differ.first - shorter.cbegin());
    if (!HoldsBlockAt(longer, shorter, first, count))
        return {Kind::Reset};
    return {grew ? Kind::RowsInserted : Kind::RowsRemoved, first, first + count - 1};
}

} // namespace

GridTableChange CompareTables(const GridTablePicture& before, const GridTablePicture& after) {
    if (before.Headers != after.Headers)
        return {Kind::Reset};
    if (before.Rows.size() != after.Rows.size())
        return CompareRowCounts(before.Rows, after.Rows);
    int first = -1;
    int last = -1;
    for (int row = 0; row < after.Rows.size(); ++row) {
        if (before.Rows[row] == after.Rows[row])
            continue;
        if (first < 0)
            first = row;
        last = row;
    }
    if (first < 0)
        return {};
    QList<QStringList> sortedBefore = before.Rows.mid(first, last - first + 1);
    QList<QStringList> sortedAfter = after.Rows.mid(first, last - first + 1);
    std::sort(sortedBefore.begin(), sortedBefore.end());
    std::sort(sortedAfter.begin(), sortedAfter.end());
    // The same rows in another order: a reader's idea of every row is wrong.
    if (sortedBefore == sortedAfter)
        return {Kind::Reset};
    return {Kind::DataChanged, first, last};
}

} // namespace trevalo
