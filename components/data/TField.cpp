#include "components/data/TField.h"

#include "components/data/TDataSet.h"

namespace trevalo {

TField::TField(QObject* parent, engine::FieldType dataType)
    : QObject(parent)
    , dataType_(dataType) {}

TStringField::TStringField(QObject* parent)
    : TField(parent, engine::FieldType::String) {
    SetSize(20);
}

TDataSet* TField::DataSet() const {
    return qobject_cast<TDataSet*>(parent());
}

QVariant TField::Value() const {
    return DataSet()->GetFieldValue(*this);
}

void TField::SetValue(const QVariant& value) {
    DataSet()->SetFieldValue(*this, value);
}

QString TField::AsString() const {
    const QVariant value = Value();
    if (value.isNull())
        return {};
    if (dataType_ == engine::FieldType::Boolean)
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    return value.toString();
}

QString TField::TypeName(engine::FieldType type) {
    switch (type) {
    case engine::FieldType::String:
        return QStringLiteral("String");
    case engine::FieldType::Integer:
        return QStringLiteral("Integer");
    case engine::FieldType::Boolean:
        return QStringLiteral("Boolean");
    case engine::FieldType::Float:
        return QStringLiteral("Float");
    }
    return QStringLiteral("Unknown");
}

} // namespace trevalo
