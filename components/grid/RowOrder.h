/// \file
/// The grid's rows: the record cache's indexes in display order, and the way back.
#pragma once

#include "components/grid/RecordCache.h"
#include "components/grid/SortKeys.h"

#include <vector>

namespace trevalo {

/// The record the working view is editing or inserting, held in place while it is typed into.
struct EditPin {
    int Record = -1; ///< -1: nothing pinned
    int Anchor = -1; ///< the record it stands immediately before; -1: after all others
};

class RowOrder {
public:
    /// Every record sorted by \p keys (nulls smallest, a descending key negated, the lower
    /// record index first when all keys are equal); the pinned record goes before its anchor.
    void Rebuild(const RecordCache& cache, const QList<SortKey>& keys, const EditPin& pin);
    void Clear();

    int Count() const { return static_cast<int>(records_.size()); }
    /// The record shown in \p row, or -1.
    int Record(int row) const;
    /// The row showing \p record, or -1.
    int Row(int record) const;

private:
    std::vector<int> records_; ///< per row its record
    std::vector<int> rows_;    ///< per record its row
};

} // namespace trevalo
