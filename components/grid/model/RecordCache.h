/// \file
/// The grid's copy of a working view, in the working view's own order: per bound field a typed
/// column of every record's values (strings as UTF-8 in one buffer), per record its bookmark.
/// The one place that knows this layout; the rest of the grid asks it.
#pragma once

#include "components/data/RecordColumns.h"
#include "components/grid/model/BookmarkIndex.h"
#include "components/grid/model/CacheValue.h"

#include <QByteArrayView>
#include <climits>
#include <cstdint>
#include <vector>

namespace trevalo {

class RecordCache {
public:
    /// Every sort key lies within plus or minus this; a null's key is its negative, before a
    /// descending key negates it.
    static constexpr std::int64_t kSortKeyBound = std::int64_t{INT32_MAX} + 2;

    RecordCache() = default;
    /// Takes over what the working view read.
    explicit RecordCache(RecordColumns columns);
    /// No records; one field of each of \p types.
    explicit RecordCache(const std::vector<engine::FieldType>& types);

    /// Takes over what the working view read, in place of all it held; the bookmark table
    /// keeps its memory.
    void Take(RecordColumns columns);
    /// Reads afresh: \p read is handed the columns held, to read into their memory, and answers
    /// what it read. While it runs, and after it throws, the cache is empty.
    template <class Read> void Refill(Read read) {
        RecordColumns old = std::move(columns_);
        Take({});
        Take(read(std::move(old)));
    }

    int FieldCount() const { return static_cast<int>(columns_.Columns.size()); }
    int Count() const { return columns_.Count; }

    /// By value: a string becomes a QString only when someone asks for it.
    CacheValue Value(int record, int field) const;
    /// \p value is null or of the field's type. A replaced string's bytes stay in the buffer,
    /// unused, until the next reload.
    void SetValue(int record, int field, const CacheValue& value);
    /// Whether the two records hold the same value of \p field, null matching null.
    bool Equal(int a, int b, int field) const;

    /// Empty for a record the working view has not stored yet.
    QByteArrayView Bookmark(int record) const;
    /// A record of null values before \p record (Count() appends); later indexes move up.
    void Insert(int record);
    /// The record with \p bookmark, or -1; an empty bookmark is never found.
    int IndexOf(QByteArrayView bookmark) const;

    /// Writes \p field's sort key of each record to keys[record * stride]: numbers that order as
    /// CompareCacheValues orders the values (null below all, False 0, True 1, a string its rank
    /// among the field's strings), negated when \p descending.
    void WriteSortKeys(int field, bool descending, std::int64_t* keys, std::size_t stride) const;

private:
    const ValueColumn& Column(int field) const {
        return columns_.Columns[static_cast<std::size_t>(field)];
    }
    /// Per record the place of its string among the field's distinct strings in UTF-16 order;
    /// made when a sort first asks, kept until the field changes.
    const std::vector<std::int32_t>& Ranks(int field) const;

    RecordColumns columns_;
    std::vector<std::uint8_t> stored_; ///< per record 1 when it has a bookmark; empty: all have
    BookmarkIndex index_;
    mutable std::vector<std::vector<std::int32_t>> ranks_; ///< per field; empty until asked
};

} // namespace trevalo
