#include "components/grid/RowOrder.h"

#include <algorithm>
#include <iterator>

namespace trevalo {

void RowOrder::Rebuild(const RecordCache& cache, const QList<SortKey>& keys, int groupKeys,
                       const EditPin& pin, const ViewFilter& filter) {
    const int count = cache.Count();
    Sort(cache, keys, pin.Record);
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

void RowOrder::Sort(const RecordCache& cache, const QList<SortKey>& keys, int pinned) {
    const int count = cache.Count();
    sorted_.clear();
    // Without keys the record order is the sort order already.
    if (keys.isEmpty()) {
        for (int record = 0; record < count; ++record)
            if (record != pinned)
                sorted_.push_back(record);
        return;
    }
    const auto width = static_cast<std::size_t>(keys.size());
    keys_.resize(static_cast<std::size_t>(count) * width);
    for (std::size_t k = 0; k < width; ++k) {
        const SortKey& key = keys[static_cast<qsizetype>(k)];
        cache.WriteSortKeys(key.Field, key.Order == SortOrder::Descending, keys_.data() + k, width);
    }
    // The major key travels with its record, so that only ties look the other keys up.
    entries_.clear();
    for (int record = 0; record < count; ++record)
        if (record != pinned)
            entries_.push_back({keys_[static_cast<std::size_t>(record) * width], record});
    const std::int64_t* table = keys_.data();
    std::sort(entries_.begin(), entries_.end(), [table, width](const Entry& x, const Entry& y) {
        if (x.Key != y.Key)
            return x.Key < y.Key;
        const std::int64_t* a = table + static_cast<std::size_t>(x.Record) * width;
        const std::int64_t* b = table + static_cast<std::size_t>(y.Record) * width;
        for (std::size_t k = 1; k < width; ++k)
            if (a[k] != b[k])
                return a[k] < b[k];
        return x.Record < y.Record;
    });
    for (const Entry& entry : entries_)
        sorted_.push_back(entry.Record);
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
