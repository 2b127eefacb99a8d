#include "components/grid/RowOrder.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace trevalo {

namespace {

int Compare(const CacheValue& a, const CacheValue& b, SortOrder order) {
    const int result = CompareCacheValues(a, b);
    return order == SortOrder::Descending ? -result : result;
}

/// A field of integers or booleans as plain numbers, null below every value, negated for a
/// descending key; empty when the field holds text. The sort compares these many times over.
std::vector<std::int64_t> NumericKeys(const RecordCache& cache, const SortKey& key) {
    constexpr std::int64_t kNull = std::int64_t{INT32_MIN} - 1;
    std::vector<std::int64_t> numbers(static_cast<std::size_t>(cache.Count()));
    for (int record = 0; record < cache.Count(); ++record) {
        const CacheValue& value = cache.Value(record, key.Field);
        std::int64_t number = kNull;
        if (const auto* integer = std::get_if<std::int32_t>(&value))
            number = *integer;
        else if (const auto* boolean = std::get_if<bool>(&value))
            number = *boolean ? 1 : 0;
        else if (!std::holds_alternative<std::monostate>(value))
            return {};
        numbers[static_cast<std::size_t>(record)] =
            key.Order == SortOrder::Descending ? -number : number;
    }
    return numbers;
}

} // namespace

void RowOrder::Rebuild(const RecordCache& cache, const QList<SortKey>& keys, int groupKeys,
                       const EditPin& pin, const ViewFilter& filter) {
    const int count = cache.Count();
    sorted_.clear();
    passes_.assign(static_cast<std::size_t>(count), true);
    for (int record = 0; record < count; ++record) {
        passes_[static_cast<std::size_t>(record)] = filter.Passes(cache, record);
        if (record != pin.Record)
            sorted_.push_back(record);
    }
    Sort(cache, keys);
    position_.assign(static_cast<std::size_t>(count), -1);
    shown_.clear();
    for (std::size_t place = 0; place < sorted_.size(); ++place) {
        const int record = sorted_[place];
        position_[static_cast<std::size_t>(record)] = static_cast<int>(place);
        if (passes_[static_cast<std::size_t>(record)])
            shown_.push_back(record);
    }
    if (pin.Record >= 0 && pin.Record < count)
        InsertPin(cache, keys, groupKeys, pin);
}

void RowOrder::Sort(const RecordCache& cache, const QList<SortKey>& keys) {
    std::vector<std::vector<std::int64_t>> numeric;
    for (const SortKey& key : keys)
        numeric.push_back(NumericKeys(cache, key));
    std::sort(sorted_.begin(), sorted_.end(), [&](int a, int b) {
        for (qsizetype k = 0; k < keys.size(); ++k) {
            const std::vector<std::int64_t>& numbers = numeric[static_cast<std::size_t>(k)];
            if (!numbers.empty()) {
                const std::int64_t x = numbers[static_cast<std::size_t>(a)];
                const std::int64_t y = numbers[static_cast<std::size_t>(b)];
                if (x != y)
                    return x < y;
            } else if (const int result = Compare(cache.Value(a, keys[k].Field),
                                                  cache.Value(b, keys[k].Field), keys[k].Order)) {
                return result < 0;
            }
        }
        return a < b;
    });
}

void RowOrder::InsertPin(const RecordCache& cache, const QList<SortKey>& keys, int groupKeys,
                         const EditPin& pin) {
    // The pin's group against a record's: <0 when the group comes first.
    const auto groupOrder = [&](int record) {
        for (int level = 0; level < groupKeys; ++level) {
            const SortKey& key = keys[level];
            if (const int result = Compare(pin.Group[static_cast<std::size_t>(level)],
                                           cache.Value(record, key.Field), key.Order))
                return result;
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
    position_.clear();
    passes_.clear();
    shown_.clear();
}

int RowOrder::Following(int record) const {
    if (record < 0 || record >= static_cast<int>(position_.size()))
        return -1;
    const int place = position_[static_cast<std::size_t>(record)];
    for (std::size_t next = static_cast<std::size_t>(place) + 1;
         place >= 0 && next < sorted_.size(); ++next)
        if (passes_[static_cast<std::size_t>(sorted_[next])])
            return sorted_[next];
    return -1;
}

} // namespace trevalo
