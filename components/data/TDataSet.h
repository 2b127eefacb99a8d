/// \file
/// What every dataset shares: its fields, found by name, and its errors.
#pragma once

#include "components/data/TField.h"
#include "components/forms/TComponent.h"

#include <QList>
#include <QObject>

namespace trevalo {

class TDataSet : public QObject, public TComponent {
    Q_OBJECT
public:
    explicit TDataSet(QObject* parent = nullptr)
        : QObject(parent) {}

    /// The fields in their order: the dataset's own children.
    QList<TField*> Fields() const;

    /// The first field whose name equals \p name without regard to case, or null.
    TField* FindField(const QString& name) const;

    /// The same; raises "Field '%s' not found" when there is none.
    TField& FieldByName(const QString& name) const;

    virtual bool IsOpen() const = 0;
    virtual void Open() = 0;
    virtual void Close() = 0;

    virtual QVariant GetFieldValue(const TField& field) const = 0;
    virtual void SetFieldValue(TField& field, const QVariant& value) = 0;

    /// Raises EDatabaseError with \p message, preceded by the dataset's name.
    [[noreturn]] void DatabaseError(const QString& message) const;
};

} // namespace trevalo
