/// \file
/// A table view: the columns a grid shows of the working view behind its data source.
#pragma once

#include "components/data/TDataSource.h"
#include "components/forms/TComponent.h"

#include <QObject>

namespace trevalo {

class TDBTableView : public QObject, public TComponent {
    Q_OBJECT
    Q_PROPERTY(trevalo::TDataSource* DataSource READ DataSource WRITE SetDataSource)
public:
    explicit TDBTableView(QObject* parent = nullptr)
        : QObject(parent) {}

    TDataSource* DataSource() const { return dataSource_; }
    void SetDataSource(TDataSource* source) { dataSource_ = source; }

private:
    TDataSource* dataSource_ = nullptr;
};

} // namespace trevalo
