/// \file
/// The grid's sort list: (field, direction) pairs, major key first, and the header-click rule.
#pragma once

#include <QList>

namespace trevalo {

/// A field's direction in the sort list; None: the field is not in it.
enum class SortOrder { None, Ascending, Descending };

struct SortKey {
    int Field; ///< index into the data controller's bound fields
    SortOrder Order;

    friend bool operator==(const SortKey&, const SortKey&) = default;
};

/// The direction of \p field in \p keys; None when it is not there.
SortOrder SortOrderOf(const QList<SortKey>& keys, int field);

/// A click on the header of \p field. With \p ctrl the field leaves the list. Otherwise,
/// without \p shift and unless the field is a grouping one, every key but those of the
/// \p grouping fields goes; then the field turns descending if it was ascending (a grouping
/// field outside the list counts as ascending), else ascending, keeping its place when still
/// in the list and joining at the end when not.
void ApplyHeaderClick(QList<SortKey>& keys, int field, bool shift, bool ctrl,
                      const QList<int>& grouping);

/// The keys the rows are sorted by: each \p grouping field (ascending unless \p sortList
/// gives it a direction), then the rest of \p sortList.
QList<SortKey> RowSortKeys(const QList<SortKey>& sortList, const QList<int>& grouping);

} // namespace trevalo
