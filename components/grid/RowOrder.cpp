#include "components/grid/RowOrder.h"

#include <algorithm>

namespace trevalo {

void RowOrder::Rebuild(const RecordCache& cache, const QList<SortKey>& keys, const EditPin& pin) {
    const int count = cache.Count();
    records_.clear();
    records_.reserve(static_cast<std::size_t>(count));
    for (int record = 0; record < count; ++record)
        if (record != pin.Record)
            records_.push_back(record);

    std::sort(records_.begin(), records_.end(), [&cache, &keys](int a, int b) {
        for (const SortKey& key : keys) {
            const int result =
                CompareCacheValues(cache.Value(a, key.Field), cache.Value(b, key.Field));
            if (result != 0)
                return key.Order == SortOrder::Descending ? result > 0 : result < 0;
        }
        return a < b;
    });

    if (pin.Record >= 0 && pin.Record < count) {
        const auto anchor = std::find(records_.begin(), records_.end(), pin.Anchor);
        records_.insert(anchor, pin.Record);
    }

    rows_.assign(static_cast<std::size_t>(count), -1);
    for (std::size_t row = 0; row < records_.size(); ++row)
        rows_[static_cast<std::size_t>(records_[row])] = static_cast<int>(row);
}

void RowOrder::Clear() {
    records_.clear();
    rows_.clear();
}

int RowOrder::Record(int row) const {
    return row >= 0 && row < Count() ? records_[static_cast<std::size_t>(row)] : -1;
}

int RowOrder::Row(int record) const {
    return record >= 0 && record < static_cast<int>(rows_.size())
               ? rows_[static_cast<std::size_t>(record)]
               : -1;
}

} // namespace trevalo
