/// \file
/// A field of a dataset: its name, type and settings, and its value in the current record.
#pragma once

#include "EngineContract.h"
#include "components/forms/TComponent.h"

#include <QObject>
#include <QVariant>

namespace trevalo {

class TDataSet;

enum class TFieldKind { fkData, fkCalculated };

/// Field names match without regard to case; a fold keeps the length, so names of two lengths
/// are told apart without a comparison.
inline bool SameFieldName(const QString& a, const QString& b) {
    return a.size() == b.size() && a.compare(b, Qt::CaseInsensitive) == 0;
}

class TField : public QObject, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString FieldName READ FieldName WRITE SetFieldName)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
    Q_PROPERTY(int Size READ Size WRITE SetSize)
    Q_PROPERTY(QString DisplayLabel READ DisplayLabel WRITE SetDisplayLabel)
    Q_PROPERTY(QString DefaultExpression READ DefaultExpression WRITE SetDefaultExpression)
    Q_PROPERTY(QString AutoGenerateValue READ AutoGenerateValue WRITE SetAutoGenerateValue)
public:
    /// A field of \p dataType; the layout's parent is its dataset.
    TField(QObject* parent, engine::FieldType dataType);

    engine::FieldType DataType() const { return dataType_; }
    TDataSet* DataSet() const;

    const QString& FieldName() const { return fieldName_; }
    void SetFieldName(const QString& name) { fieldName_ = name; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    int Size() const { return size_; }
    void SetSize(int size) { size_ = size; }
    /// The caption a grid shows: the label when set, else the field's name.
    QString DisplayLabel() const { return displayLabel_.isEmpty() ? fieldName_ : displayLabel_; }
    void SetDisplayLabel(const QString& label) { displayLabel_ = label; }
    const QString& DefaultExpression() const { return defaultExpression_; }
    void SetDefaultExpression(const QString& text) { defaultExpression_ = text; }
    /// Kept with the field; it numbers nothing.
    const QString& AutoGenerateValue() const { return autoGenerateValue_; }
    void SetAutoGenerateValue(const QString& value) { autoGenerateValue_ = value; }
    TFieldKind FieldKind() const { return fieldKind_; }
    void SetFieldKind(TFieldKind kind) { fieldKind_ = kind; }

    /// The value in the dataset's current record (or its editing copy); a blank field is null.
    QVariant Value() const;
    void SetValue(const QVariant& value);

    /// The value as text: blank for null, "True"/"False" for booleans.
    QString AsString() const;

    /// 1-based column number in the dataset's records; 0 while unbound.
    std::uint32_t FieldNo() const { return fieldNo_; }
    void SetFieldNo(std::uint32_t fieldNo) { fieldNo_ = fieldNo; }

    /// The name of \p type as messages give it.
    static QString TypeName(engine::FieldType type);

private:
    engine::FieldType dataType_;
    TFieldKind fieldKind_ = TFieldKind::fkData;
    QString fieldName_;
    QString displayLabel_;
    QString defaultExpression_;
    QString autoGenerateValue_;
    bool readOnly_ = false;
    int size_ = 0;
    std::uint32_t fieldNo_ = 0;
};

class TIntegerField : public TField {
    Q_OBJECT
public:
    explicit TIntegerField(QObject* parent = nullptr)
        : TField(parent, engine::FieldType::Integer) {}
};

class TStringField : public TField {
    Q_OBJECT
public:
    explicit TStringField(QObject* parent = nullptr);
};

class TBooleanField : public TField {
    Q_OBJECT
public:
    explicit TBooleanField(QObject* parent = nullptr)
        : TField(parent, engine::FieldType::Boolean) {}
};

} // namespace trevalo
