#include "components/grid/RowOrder.h"

#include <algorithm>
#include <iterator>

namespace trevalo {

void RowOrder::Rebuild(const RecordCache& cache, const QList<SortKey>& keys, int groupKeys,
                       const EditPin& pin, const ViewFilter& filter) {
    const int count = cache.Count();
    sorted_.clear();
    for (int record = 0; record < count; ++record)
        if (record != pin.Record)
            sorted_.push_back(record);
    Sort(cache, keys);
    passes_.clear();
    if (filter.IsEmpty()) {
        shown_ = sorted_;
    } else {
        passes_.resize(static_cast<std::size_t>(count));
        for (int record = 0; record < count; ++record)
            passes_[static_cast<std::size_t>(record)] = filter.Passes(cache, record) ? 1 : 0;
        shown_.clear();
        std::copy_if(sorted_.cbegin(), sorted_.cend(), std::back_inserter(shown_),
                     [this](int record) { return Passes(record); });
    }
    if (pin.Record >= 0 && pin.Record < count)
        InsertPin(cache, keys, groupKeys, pin);
}

void RowOrder::Sort(const RecordCache& cache, const QList<SortKey>& keys) {
    // Without keys the record order is the sort order already.
    if (keys.isEmpty())
        return;
    const auto width = static_cast<std::size_t>(keys.size());
    keys_.resize(static_cast<std::size_t>(cache.Count()) * width);
    for (std::size_t k = 0; k < width; ++k) {
        const SortKey& key = keys[static_cast<qsizetype>(k)];
        cache.WriteSortKeys(key.Field, key.Order == SortOrder::Descending, keys_.data() + k, width);
    }
    const std::int64_t* table = keys_.data();
    std::sort(sorted_.begin(), sorted_.end(), [table, width](int a, int b) {
        const std::int64_t* x = table + static_cast<std::size_t>(a) * width;
        const std::int64_t* y = table + static_cast<std::size_t>(b) * width;
        for (std::size_t k = 0; k < width; ++k)
            if (x[k] != y[k])
                return x[k] < y[k];
        return a < b;
    });
}

void RowOrder::InsertPin(const RecordCache& cache, const QList<SortKey>& keys, int groupKeys,
                         const EditPin& pin) {
    // The pin's group against a record's: <0 when the group comes first.
    const auto groupOrder = [&](int record) {
        for (int level = 0; level < groupKeys; ++level) {
            const SortKey& key = keys[level];
            const int result = CompareCacheValues(pin.Group[static_cast<std::size_t>(level)],
                                                  cache.Value(record, key.Field));
            if (result != 0)
                return key.Order == SortOrder::Descending ? -result : result;
        }
        return 0;
    };
    auto at = std::find(shown_.begin(), shown_.end(), pin.Anchor);
    if (at == shown_.end() || groupOrder(*at) != 0)
        at = std::find_if(shown_.begin(), shown_.end(),
                          [&groupOrder](int record) { return groupOrder(record) < 0; });
    shown_.insert(at, pin.Record);
}

void RowOrder::Clear() {
    sorted_.clear();
    passes_.clear();
    shown_.clear();
}

int RowOrder::Following(int record) const {
    auto next = std::find(sorted_.cbegin(), sorted_.cend(), record);
    if (next == sorted_.cend())
        return -1;
    next = std::find_if(next + 1, sorted_.cend(), [this](int each) { return Passes(each); });
    return next == sorted_.cend() ? -1 : *next;
}

} // namespace trevalo
