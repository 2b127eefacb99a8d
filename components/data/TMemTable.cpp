#include "components/data/TMemTable.h"

#include "components/data/Snapshot.h"
#include "platform/Exception.h"

namespace trevalo {

TMemTable::TMemTable(QObject* parent)
    : TDataSet(parent) {
    auto* recId = new TIntegerField(this);
    recId->SetFieldName(QStringLiteral("RecId"));
    recId->SetFieldKind(TFieldKind::fkCalculated);
}

void TMemTable::Open() {
    if (open_)
        return;
    if (!persistentData_.isEmpty() && !ReadSnapshot(persistentData_).Records.isEmpty())
        throw Exception(QStringLiteral("The data is incorrect"));
    open_ = true;
}

QVariant TMemTable::GetFieldValue(const TField&) const {
    return {};
}

void TMemTable::SetFieldValue(TField&, const QVariant&) {
    DatabaseError(QStringLiteral("Dataset not in edit or insert mode"));
}

} // namespace trevalo
