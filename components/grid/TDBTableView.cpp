#include "components/grid/TDBTableView.h"

#include "components/grid/TDBColumn.h"

namespace trevalo {

QList<TDBColumn*> TDBTableView::Columns() const {
    return findChildren<TDBColumn*>(QString(), Qt::FindDirectChildrenOnly);
}

} // namespace trevalo
