#include "components/grid/model/RowOrder.h"

#include <algorithm>
#include <iterator>
#include <numeric>

namespace trevalo {

namespace {

constexpr int kRecordBits = 31;
constexpr std::uint64_t kRecordMask = (std::uint64_t{1} << kRecordBits) - 1;

/// \p key (33 bits once made non-negative) above \p record (31 bits): one number that orders
/// as the pair does.
std::uint64_t Pack(std::int64_t key, int record) {
    return static_cast<std::uint64_t>(key + RecordCache::kSortKeyBound) << kRecordBits |
           static_cast<std::uint64_t>(record);
}

/// A post seldom moves a record: then one pass over the last order confirms it, and only a
/// changed order is sorted again.
template <class Less> void SortFromLast(std::vector<std::uint64_t>& packed, Less less) {
    if (!std::is_sorted(packed.cbegin(), packed.cend(), less))
        std::sort(packed.begin(), packed.end(), less);
}

} // namespace

void RowOrder::Sort(const RecordCache& cache, const QList<SortKey>& keys) {
    keys_ = keys;
    const int count = cache.Count();
    // The sort starts from the last order, which a post seldom changes; without keys the record
    // order is the sort order already.
    if (keys.isEmpty() || sorted_.size() != static_cast<std::size_t>(count)) {
        sorted_.resize(static_cast<std::size_t>(count));
        std::iota(sorted_.begin(), sorted_.end(), 0);
    }
    if (keys.isEmpty())
        return;
    const auto width = static_cast<std::size_t>(keys.size());
    table_.resize(static_cast<std::size_t>(count) * width);
    for (std::size_t k = 0; k < width; ++k) {
        const SortKey& key = keys[static_cast<qsizetype>(k)];
        cache.WriteSortKeys(key.Field, key.Order == SortOrder::Descending, table_.data() + k,
                            width);
    }
    // The major key above the record index in one plain number, so that std::sort compares
    // numbers; only ties on the major key look the other keys up.
    packed_.resize(static_cast<std::size_t>(count));
    std::transform(sorted_.cbegin(), sorted_.cend(), packed_.begin(), [&](int record) {
        return Pack(table_[static_cast<std::size_t>(record) * width], record);
    });
    if (width == 1) {
        SortFromLast(packed_, std::less<>());
    } else {
        const std::int64_t* table = table_.data();
        SortFromLast(packed_, [table, width](std::uint64_t x, std::uint64_t y) {
            if (x >> kRecordBits != y >> kRecordBits)
                return x < y;
            const std::int64_t* a = table + (x & kRecordMask) * width;
            const std::int64_t* b = table + (y & kRecordMask) * width;
            for (std::size_t k = 1; k < width; ++k)
                if (a[k] != b[k])
                    return a[k] < b[k];
            return x < y;
        });
    }
    std::transform(packed_.cbegin(), packed_.cend(), sorted_.begin(),
                   [](std::uint64_t entry) { return static_cast<int>(entry & kRecordMask); });
}

void RowOrder::LayOut(const RecordCache& cache, int groupKeys, const EditPin& pin,
                      const ViewFilter& filter) {
    const int count = cache.Count();
    Q_ASSERT_X(sorted_.size() == static_cast<std::size_t>(count), "RowOrder::LayOut",
               "the records changed since the last sort");
    pinned_ = pin.Record;
    passes_.clear();
    if (!filter.IsEmpty()) {
        passes_.resize(static_cast<std::size_t>(count));
        for (int record = 0; record < count; ++record)
            passes_[static_cast<std::size_t>(record)] = filter.Passes(cache, record) ? 1 : 0;
    }
    if (passes_.empty() && pinned_ < 0) {
        shown_ = sorted_;
    } else {
        shown_.clear();
        std::copy_if(sorted_.cbegin(), sorted_.cend(), std::back_inserter(shown_),
                     [this](int record) { return record != pinned_ && Passes(record); });
    }
    if (pin.Record >= 0 && pin.Record < count)
        InsertPin(cache, groupKeys, pin);
}

void RowOrder::InsertPin(const RecordCache& cache, int groupKeys, const EditPin& pin) {
    // The pin's group against a record's: <0 when the group comes first.
    const auto groupOrder = [&](int record) {
        for (int level = 0; level < groupKeys; ++level) {
            const SortKey& key = keys_[level];
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
    keys_.clear();
    sorted_.clear();
    pinned_ = -1;
    passes_.clear();
    shown_.clear();
}

int RowOrder::Following(int record) const {
    auto next = std::find(sorted_.cbegin(), sorted_.cend(), record);
    if (record == pinned_ || next == sorted_.cend())
        return -1;
    next = std::find_if(next + 1, sorted_.cend(),
                        [this](int each) { return each != pinned_ && Passes(each); });
    return next == sorted_.cend() ? -1 : *next;
}

} // namespace trevalo
