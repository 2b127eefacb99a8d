/// \file
/// A table view: the columns a grid shows of the working view behind its data source.
#pragma once

#include "components/data/TDataSource.h"
#include "components/forms/TComponent.h"

#include <QObject>

namespace trevalo {

class TDBColumn;

class TDBTableView : public QObject, public TComponent {
    Q_OBJECT
    Q_PROPERTY(trevalo::TDataSource* DataSource READ DataSource WRITE SetDataSource)
public:
    explicit TDBTableView(QObject* parent = nullptr)
        : QObject(parent) {}

    TDataSource* DataSource() const { return dataSource_; }
    void SetDataSource(TDataSource* source) { dataSource_ = source; }

    /// The columns in their order: the view's own children.
    QList<TDBColumn*> Columns() const;

private:
    TDataSource* dataSource_ = nullptr;
};

} // namespace trevalo
