#include "components/grid/model/CacheValue.h"

#include "components/data/DataErrors.h"
#include "components/data/TField.h"

namespace trevalo {

namespace {

template <class T> int Sign(const T& a, const T& b) {
    return a < b ? -1 : b < a ? 1 : 0;
}

struct Texter {
    QString operator()(std::monostate) const { return {}; }
    QString operator()(std::int32_t value) const { return QString::number(value); }
    QString operator()(bool value) const {
        return value ? QStringLiteral("True") : QStringLiteral("False");
    }
    QString operator()(const QString& value) const { return value; }
};

} // namespace

int CompareCacheValues(const CacheValue& a, const CacheValue& b) {
    if (a.index() != b.index())
        return Sign(a.index(), b.index());
    // A switch, not std::visit: this is the sort's inner loop.
    switch (a.index()) {
    case 1:
        return Sign(*std::get_if<std::int32_t>(&a), *std::get_if<std::int32_t>(&b));
    case 2:
        return Sign(*std::get_if<bool>(&a), *std::get_if<bool>(&b));
    case 3:
        return Sign(QString::compare(*std::get_if<QString>(&a), *std::get_if<QString>(&b),
                                     Qt::CaseSensitive),
                    0);
    default:
        return 0;
    }
}

void CheckCacheable(const TField& field) {
    if (field.DataType() == engine::FieldType::Float)
        throw EDatabaseError(QStringLiteral("Field '%1' of type %2 cannot be shown in a grid")
                                 .arg(field.FieldName(), TField::TypeName(field.DataType())));
}

CacheValue ReadCacheValue(const TField& field) {
    CheckCacheable(field);
    const QVariant value = field.Value();
    if (value.isNull())
        return {};
    switch (field.DataType()) {
    case engine::FieldType::Integer:
        return static_cast<std::int32_t>(value.toInt());
    case engine::FieldType::Boolean:
        return value.toBool();
    case engine::FieldType::String:
        return value.toString();
    case engine::FieldType::Float:
        break;
    }
    return {}; // refused above
}

QString DisplayText(const CacheValue& value) {
    return std::visit(Texter{}, value);
}

} // namespace trevalo
