#include "components/grid/TDataGrid.h"

#include "components/grid/TDBTableView.h"

namespace trevalo {

TDataGrid::TDataGrid(QWidget* parent)
    : QWidget(parent) {
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
}

} // namespace trevalo
