/// \file
/// The grid's own filter over its record cache, set from the header drop-downs.
#pragma once

#include "components/grid/model/RecordCache.h"

#include <QList>
#include <QMap>
#include <QStringList>

namespace trevalo {

enum class FilterOperator {
    Equal,
    NotEqual,
    Less,
    LessOrEqual,
    Greater,
    GreaterOrEqual,
    Blank,
    NonBlank
};

/// One comparison of a field's value with \p Value (unused for Blank and NonBlank). A null
/// value fails every comparison with a value, passes Blank and fails NonBlank.
struct FilterCondition {
    FilterOperator Operator;
    CacheValue Value;

    friend bool operator==(const FilterCondition&, const FilterCondition&) = default;
};

/// The conditions on one field, joined by and (by or when \p Or is set).
struct ColumnFilter {
    QList<FilterCondition> Conditions;
    bool Or = false;

    friend bool operator==(const ColumnFilter&, const ColumnFilter&) = default;
};

/// The grid's own filter: one ColumnFilter per filtered field, all of which a record must pass.
class ViewFilter {
public:
    bool IsEmpty() const { return columns_.isEmpty(); }
    const QMap<int, ColumnFilter>& Columns() const { return columns_; }
    /// Replaces this field's condition; a filter without conditions removes it.
    void Set(int field, const ColumnFilter& filter);
    void Remove(int field) { columns_.remove(field); }
    void Clear() { columns_.clear(); }
    /// Drops the conditions on fields from \p fieldCount on.
    void Truncate(int fieldCount);

    bool Passes(const RecordCache& cache, int record) const;

    /// Readable text of the filter, e.g. "[Name] = 'Al' and [Init] > 5", with \p fieldNames
    /// indexed by field; "" when empty.
    QString Caption(const QStringList& fieldNames) const;

private:
    QMap<int, ColumnFilter> columns_;
};

} // namespace trevalo
