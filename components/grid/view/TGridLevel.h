/// \file
/// The level of a grid: it names the view the grid shows.
#pragma once

#include "components/forms/TComponent.h"

#include <QObject>

namespace trevalo {

class TDBTableView;

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

} // namespace trevalo
