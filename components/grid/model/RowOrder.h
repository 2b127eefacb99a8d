/// \file
/// The grid's records in display order: those the view filter passes, sorted, with the
/// record being edited or inserted held in its place.
#pragma once

#include "components/grid/model/RecordCache.h"
#include "components/grid/model/SortKeys.h"
#include "components/grid/model/ViewFilter.h"

#include <cstdint>
#include <vector>

namespace trevalo {

/// A group's grouping values, from the outermost level down.
using GroupPath = std::vector<CacheValue>;

/// The record the working view is editing or inserting, held in place while it is typed into.
struct EditPin {
    int Record = -1; ///< -1: nothing pinned
    int Anchor = -1; ///< the record it stands immediately before; -1: after all others
    GroupPath Group; ///< the group it is shown in, one value per grouping field
};

class RowOrder {
public:
    /// Sorts every record of \p cache by \p keys: nulls smallest, a descending key negated, the
    /// lower record index first when all keys are equal. Needed again when the values or the
    /// keys change; a pin or a filter alone only needs LayOut.
    void Sort(const RecordCache& cache, const QList<SortKey>& keys);
    /// Every record that \p filter passes in sort order, the pinned one held in its place.
    /// The first \p groupKeys of the sort's keys are the grouping ones: the pinned record goes
    /// before its anchor when that stands in the pin's group, else after the last record of
    /// its group.
    void LayOut(const RecordCache& cache, int groupKeys, const EditPin& pin,
                const ViewFilter& filter);
    void Clear();

    /// The records in display order.
    const std::vector<int>& Records() const { return shown_; }
    /// The record after \p record in sort order that the filter passes, or -1; \p record need
    /// not pass it itself. The pinned record has no place in the order.
    int Following(int record) const;

private:
    /// Shows the pinned record in place of its anchor, or first in its group.
    void InsertPin(const RecordCache& cache, int groupKeys, const EditPin& pin);
    bool Passes(int record) const {
        return passes_.empty() || passes_[static_cast<std::size_t>(record)];
    }

    QList<SortKey> keys_;              ///< the keys of the last sort
    std::vector<int> sorted_;          ///< every record in sort order
    int pinned_ = -1;                  ///< the pinned record at the last lay-out
    std::vector<std::uint8_t> passes_; ///< per record whether the filter passes it; empty: all
    std::vector<int> shown_;
    std::vector<std::int64_t> table_;   ///< per record its sort keys; kept for its capacity
    std::vector<std::uint64_t> packed_; ///< per record its major key and index; kept likewise
};

} // namespace trevalo
