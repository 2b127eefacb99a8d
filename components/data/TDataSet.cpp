#include "components/data/TDataSet.h"

#include "components/data/DataErrors.h"

namespace trevalo {

QList<TField*> TDataSet::Fields() const {
    return findChildren<TField*>(QString(), Qt::FindDirectChildrenOnly);
}

TField* TDataSet::FindField(const QString& name) const {
    // Asked for each bound column at every change a grid shows: no list is made for it.
    for (QObject* child : children()) {
        auto* field = qobject_cast<TField*>(child);
        if (field && SameFieldName(field->FieldName(), name))
            return field;
    }
    return nullptr;
}

TField& TDataSet::FieldByName(const QString& name) const {
    TField* field = FindField(name);
    if (!field)
        DatabaseError(QStringLiteral("Field '%1' not found").arg(name));
    return *field;
}

void TDataSet::DatabaseError(const QString& message) const {
    if (objectName().isEmpty())
        throw EDatabaseError(message);
    throw EDatabaseError(objectName() + QStringLiteral(": ") + message);
}

} // namespace trevalo
