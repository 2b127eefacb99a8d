#include "components/grid/control/GridCellText.h"

#include "components/grid/view/TDBTableView.h"

namespace trevalo {

CacheValue CellValue(const TDBTableView& view, int row, const TDBColumn& column) {
    const TDBDataController& data = view.DataController();
    const int field = view.ColumnFieldIndex(column);
    const int record = data.RowRecord(row);
    return field < 0 || record < 0 ? CacheValue() : data.Value(record, field);
}

QString GroupRowText(const TDBTableView& view, int row) {
    const TDBDataController& data = view.DataController();
    const TDBColumn* column = nullptr;
    for (TDBColumn* each : view.GroupedColumns()) {
        if (view.ColumnFieldIndex(*each) == data.GroupField(row))
            column = each;
    }
    const QString header = column ? column->HeaderText(view.ColumnField(*column)) : QString();
    return QStringLiteral("%1 : %2").arg(header, DisplayText(data.GroupValue(row)));
}

} // namespace trevalo
