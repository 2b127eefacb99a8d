/// \file
/// The in-memory record store: it declares a table's fields and defaults and holds its stored
/// snapshot. Its records reach a working view only through a provider.
#pragma once

#include "components/data/TDataSet.h"

namespace trevalo {

class TMemTable : public TDataSet {
    Q_OBJECT
    Q_PROPERTY(QByteArray PersistentData READ PersistentData WRITE SetPersistentData)
public:
    explicit TMemTable(QObject* parent = nullptr);

    const QByteArray& PersistentData() const { return persistentData_; }
    void SetPersistentData(const QByteArray& data) { persistentData_ = data; }

    bool IsOpen() const override { return open_; }
    /// Loads the snapshot; raises "The data is incorrect" for a damaged one. Stored records
    /// cannot be read back, so a snapshot that holds any is refused rather than dropped.
    void Open() override;
    void Close() override { open_ = false; }

    /// A store hands out its definition, never single values.
    QVariant GetFieldValue(const TField& field) const override;
    void SetFieldValue(TField& field, const QVariant& value) override;

private:
    QByteArray persistentData_;
    bool open_ = false;
};

} // namespace trevalo
