/// \file
/// Hands a dataset's definition and records to a working view as one data packet.
#pragma once

#include "components/data/TDataSet.h"
#include "components/forms/TComponent.h"

#include <QObject>

namespace trevalo {

class TTableProvider : public QObject, public TComponent {
    Q_OBJECT
    Q_PROPERTY(trevalo::TDataSet* DataSet READ DataSet WRITE SetDataSet)
    Q_PROPERTY(bool Constraints READ Constraints WRITE SetConstraints)
public:
    explicit TTableProvider(QObject* parent = nullptr)
        : QObject(parent) {}

    TDataSet* DataSet() const { return dataSet_; }
    void SetDataSet(TDataSet* dataSet) { dataSet_ = dataSet; }
    /// Whether defaults travel in the packet.
    bool Constraints() const { return constraints_; }
    void SetConstraints(bool constraints) { constraints_ = constraints; }

    /// The packet of every column and record of the dataset, opened for the purpose when it
    /// was closed and closed again afterwards.
    QByteArray GetRecords();

private:
    void WriteColumns(engine::IPacketWriter& writer, const QList<TField*>& fields) const;

    TDataSet* dataSet_ = nullptr;
    bool constraints_ = true;
};

} // namespace trevalo
