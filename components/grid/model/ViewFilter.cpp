#include "components/grid/model/ViewFilter.h"

#include <algorithm>

namespace trevalo {

namespace {

bool Holds(const FilterCondition& condition, const CacheValue& value) {
    const bool null = std::holds_alternative<std::monostate>(value);
    if (condition.Operator == FilterOperator::Blank)
        return null;
    if (condition.Operator == FilterOperator::NonBlank)
        return !null;
    if (null)
        return false;
    const int order = CompareCacheValues(value, condition.Value);
    switch (condition.Operator) {
    case FilterOperator::Equal:
        return order == 0;
    case FilterOperator::NotEqual:
        return order != 0;
    case FilterOperator::Less:
        return order < 0;
    case FilterOperator::LessOrEqual:
        return order <= 0;
    case FilterOperator::Greater:
        return order > 0;
    case FilterOperator::GreaterOrEqual:
        return order >= 0;
    case FilterOperator::Blank:
    case FilterOperator::NonBlank:
        break;
    }
    return false;
}

bool ColumnPasses(const ColumnFilter& filter, const CacheValue& value) {
    const auto holds = [&value](const FilterCondition& c) { return Holds(c, value); };
    return filter.Or ? std::any_of(filter.Conditions.cbegin(), filter.Conditions.cend(), holds)
                     : std::all_of(filter.Conditions.cbegin(), filter.Conditions.cend(), holds);
}

QString Literal(const CacheValue& value) {
    if (const QString* text = std::get_if<QString>(&value))
        return QLatin1Char('\'') + QString(*text).replace(QLatin1Char('\''), QStringLiteral("''")) +
               QLatin1Char('\'');
    return std::holds_alternative<std::monostate>(value) ? QStringLiteral("null")
                                                         : DisplayText(value);
}

QString ConditionText(const QString& field, const FilterCondition& condition) {
    switch (condition.Operator) {
    case FilterOperator::Blank:
        return field + QStringLiteral(" is blank");
    case FilterOperator::NonBlank:
        return field + QStringLiteral(" is not blank");
    default:
        break;
    }
    static const char* const symbols[] = {"=", "<>", "<", "<=", ">", ">="};
    return QStringLiteral("%1 %2 %3")
        .arg(field, QLatin1String(symbols[static_cast<int>(condition.Operator)]),
             Literal(condition.Value));
}

} // namespace

void ViewFilter::Set(int field, const ColumnFilter& filter) {
    if (filter.Conditions.isEmpty())
        columns_.remove(field);
    else
        columns_.insert(field, filter);
}

void ViewFilter::Truncate(int fieldCount) {
    columns_.removeIf([fieldCount](const auto& column) { return column.key() >= fieldCount; });
}

bool ViewFilter::Passes(const RecordCache& cache, int record) const {
    for (auto column = columns_.cbegin(); column != columns_.cend(); ++column)
        if (!ColumnPasses(column.value(), cache.Value(record, column.key())))
            return false;
    return true;
}

QString ViewFilter::Caption(const QStringList& fieldNames) const {
    QStringList columns;
    for (auto column = columns_.cbegin(); column != columns_.cend(); ++column) {
        const QString field = QStringLiteral("[%1]").arg(fieldNames.value(column.key()));
        QStringList conditions;
        for (const FilterCondition& condition : column.value().Conditions)
            conditions << ConditionText(field, condition);
        const QString joined =
            conditions.join(column.value().Or ? QStringLiteral(" or ") : QStringLiteral(" and "));
        // Brackets only where an or-group meets other columns' and.
        const bool bracket = column.value().Or && conditions.size() > 1 && columns_.size() > 1;
        columns << (bracket ? QStringLiteral("(%1)").arg(joined) : joined);
    }
    return columns.join(QStringLiteral(" and "));
}

} // namespace trevalo
