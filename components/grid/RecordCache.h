/// \file
/// The grid's copy of a working view: per record the value of every bound field and the
/// record's bookmark, in the working view's own order.
#pragma once

#include "components/grid/CacheValue.h"

#include <QByteArray>
#include <vector>

namespace trevalo {

class RecordCache {
public:
    explicit RecordCache(int fieldCount = 0)
        : fieldCount_(fieldCount) {}

    int FieldCount() const { return fieldCount_; }
    int Count() const { return static_cast<int>(bookmarks_.size()); }

    const CacheValue& Value(int record, int field) const { return values_[Slot(record, field)]; }
    void SetValue(int record, int field, CacheValue value) {
        values_[Slot(record, field)] = std::move(value);
    }
    /// Empty for a record the working view has not stored yet.
    const QByteArray& Bookmark(int record) const {
        return bookmarks_[static_cast<std::size_t>(record)];
    }

    /// A record of null values before \p record (Count() appends); later indexes move up.
    void Insert(int record, const QByteArray& bookmark);
    int Append(const QByteArray& bookmark);

    /// The record with \p bookmark, or -1; an empty bookmark is never found.
    int IndexOf(const QByteArray& bookmark) const;

private:
    std::size_t Slot(int record, int field) const {
        return static_cast<std::size_t>(record) * static_cast<std::size_t>(fieldCount_) +
               static_cast<std::size_t>(field);
    }

    int fieldCount_;
    std::vector<CacheValue> values_; ///< record by record, fieldCount_ values each
    std::vector<QByteArray> bookmarks_;
};

} // namespace trevalo
