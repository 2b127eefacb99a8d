/// \file
/// The grid control: it shows the table view of its level.
#pragma once

#include "components/forms/TComponent.h"

#include <QObject>
#include <QWidget>

namespace trevalo {

class TDBTableView;

/// Names the view a grid shows.
class TGridLevel : public QObject, public TComponent {
    Q_OBJECT
    Q_PROPERTY(trevalo::TDBTableView* GridView READ GridView WRITE SetGridView)
public:
    explicit TGridLevel(QObject* parent = nullptr)
        : QObject(parent) {}

    TDBTableView* GridView() const { return gridView_; }
    void SetGridView(TDBTableView* view) { gridView_ = view; }

private:
    TDBTableView* gridView_ = nullptr;
};

class TDataGrid : public QWidget, public TComponent {
    Q_OBJECT
public:
    explicit TDataGrid(QWidget* parent = nullptr);
};

} // namespace trevalo
