#include "components/grid/model/RecordCache.h"

#include "components/grid/model/Utf8Order.h"

#include <algorithm>

namespace trevalo {

namespace {

/// Inserts a zero at \p record into those of a column's arrays that hold one entry per record.
template <class T> void InsertAt(std::vector<T>& values, int record, int count) {
    if (values.size() == static_cast<std::size_t>(count))
        values.insert(values.begin() + record, T{});
}

} // namespace

RecordCache::RecordCache(RecordColumns columns) {
    Take(std::move(columns));
}

void RecordCache::Take(RecordColumns columns) {
    columns_ = std::move(columns);
    stored_.clear();
    ranks_.clear();
    index_.Forget();
}

RecordCache::RecordCache(const std::vector<engine::FieldType>& types) {
    columns_.Columns.resize(types.size());
    for (std::size_t field = 0; field < types.size(); ++field)
        columns_.Columns[field].Type = types[field];
}

CacheValue RecordCache::Value(int record, int field) const {
    const ValueColumn& column = Column(field);
    const auto at = static_cast<std::size_t>(record);
    if (column.Blank[at])
        return {};
    switch (column.Type) {
    case engine::FieldType::Integer:
        return column.Numbers[at];
    case engine::FieldType::Boolean:
        return column.Numbers[at] != 0;
    case engine::FieldType::String: {
        const std::string_view text = column.Utf8(record);
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    }
    case engine::FieldType::Float:
        break;
    }
    return {}; // the controller never caches a type it cannot show
}

void RecordCache::SetValue(int record, int field, const CacheValue& value) {
    ValueColumn& column = columns_.Columns[static_cast<std::size_t>(field)];
    const auto at = static_cast<std::size_t>(record);
    column.Blank[at] = std::holds_alternative<std::monostate>(value) ? 1 : 0;
    if (const auto* integer = std::get_if<std::int32_t>(&value)) {
        Q_ASSERT_X(column.Type == engine::FieldType::Integer, "RecordCache::SetValue",
                   "an integer value for a column of another type");
        column.Numbers[at] = *integer;
    } else if (const auto* boolean = std::get_if<bool>(&value)) {
        Q_ASSERT_X(column.Type == engine::FieldType::Boolean, "RecordCache::SetValue",
                   "a boolean value for a column of another type");
        column.Numbers[at] = *boolean ? 1 : 0;
    } else if (const auto* text = std::get_if<QString>(&value)) {
        Q_ASSERT_X(column.Type == engine::FieldType::String, "RecordCache::SetValue",
                   "a text value for a column of another type");
        const QByteArray utf8 = text->toUtf8();
        column.Start[at] = static_cast<std::uint32_t>(column.Text.size());
        column.Length[at] = static_cast<std::uint32_t>(utf8.size());
        column.Text.append(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    }
    if (static_cast<std::size_t>(field) < ranks_.size())
        ranks_[static_cast<std::size_t>(field)].clear();
}

bool RecordCache::Equal(int a, int b, int field) const {
    const ValueColumn& column = Column(field);
    const auto x = static_cast<std::size_t>(a);
    const auto y = static_cast<std::size_t>(b);
    if (column.Blank[x] || column.Blank[y])
        return column.Blank[x] == column.Blank[y];
    return column.Type == engine::FieldType::String ? column.Utf8(a) == column.Utf8(b)
                                                    : column.Numbers[x] == column.Numbers[y];
}

QByteArrayView RecordCache::Bookmark(int record) const {
    if (!stored_.empty() && !stored_[static_cast<std::size_t>(record)])
        return {};
    const std::string_view bookmark = columns_.Bookmark(record);
    return {bookmark.data(), static_cast<qsizetype>(bookmark.size())};
}

void RecordCache::Insert(int record) {
    const int count = Count();
    for (ValueColumn& column : columns_.Columns) {
        InsertAt(column.Blank, record, count);
        column.Blank[static_cast<std::size_t>(record)] = 1;
        InsertAt(column.Numbers, record, count);
        InsertAt(column.Start, record, count);
        InsertAt(column.Length, record, count);
    }
    const auto size = static_cast<std::ptrdiff_t>(columns_.BookmarkSize);
    columns_.Bookmarks.insert(columns_.Bookmarks.begin() + record * size,
                              static_cast<std::size_t>(size), 0);
    if (stored_.empty())
        stored_.assign(static_cast<std::size_t>(count), 1);
    stored_.insert(stored_.begin() + record, 0);
    ++columns_.Count;
    ranks_.clear();
    index_.Forget();
}

int RecordCache::IndexOf(QByteArrayView bookmark) const {
    return index_.Find(columns_, stored_,
                       {bookmark.data(), static_cast<std::size_t>(bookmark.size())});
}

void RecordCache::WriteSortKeys(int field, bool descending, std::int64_t* keys,
                                std::size_t stride) const {
    constexpr std::int64_t kNull = -kSortKeyBound;
    const ValueColumn& column = Column(field);
    const std::int32_t* numbers =
        column.Type == engine::FieldType::String ? Ranks(field).data() : column.Numbers.data();
    const std::int64_t sign = descending ? -1 : 1;
    const auto count = static_cast<std::size_t>(Count());
    for (std::size_t record = 0; record < count; ++record)
        keys[record * stride] = sign * (column.Blank[record] ? kNull : numbers[record]);
}

const std::vector<std::int32_t>& RecordCache::Ranks(int field) const {
    if (ranks_.size() < columns_.Columns.size())
        ranks_.resize(columns_.Columns.size());
    std::vector<std::int32_t>& ranks = ranks_[static_cast<std::size_t>(field)];
    const auto count = static_cast<std::size_t>(Count());
    if (ranks.size() == count)
        return ranks;
    const ValueColumn& column = Column(field);
    std::vector<int> order;
    for (int record = 0; record < Count(); ++record)
        if (!column.Blank[static_cast<std::size_t>(record)])
            order.push_back(record);
    std::sort(order.begin(), order.end(),
              [&column](int a, int b) { return CompareUtf8(column.Utf8(a), column.Utf8(b)) < 0; });
    ranks.assign(count, 0);
    std::int32_t rank = 0;
    for (std::size_t place = 0; place < order.size(); ++place) {
        if (place > 0 && column.Utf8(order[place]) != column.Utf8(order[place - 1]))
            ++rank;
        ranks[static_cast<std::size_t>(order[place])] = rank;
    }
    return ranks;
}

} // namespace trevalo
