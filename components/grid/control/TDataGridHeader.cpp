// The grid's header presses (sorting, carrying and sizing go to its GridHeaderDrag), the filter
// drop-down and dialog, and the group rows' expanders.
#include "components/grid/control/TDataGrid.h"
#include "components/grid/filter/TFilterDialog.h"
#include "components/grid/filter/TFilterDropDown.h"
#include "components/grid/view/TDBTableView.h"

namespace trevalo {

void TDataGrid::PressHeader(const GridGeometry::Hit& hit, QPoint point) {
    if (hit.Where == GridGeometry::Area::FilterButton) {
        OpenFilterDropDown(*hit.Column);
        return;
    }
    header_.Press(hit, point, view_->ColumnWidth(*hit.Column, metrics_.DigitWidth));
    update();
}

void TDataGrid::PressGroupRow(int row, QPoint point, bool toggle) {
    const TDBDataController& data = view_->DataController();
    const bool onExpander = geometry_.ExpanderCell(row, data.RowLevel(row)).contains(point);
    view_->FocusRow(row);
    if (toggle || onExpander)
        ToggleGroup(std::nullopt);
}

void TDataGrid::ToggleGroup(std::optional<bool> expand) {
    TDBDataController& data = view_->DataController();
    const int row = data.FocusedRow();
    if (row >= 0 && data.IsGroupRow(row))
        data.SetExpanded(row, expand.value_or(!data.IsExpanded(row)));
}

void TDataGrid::OpenFilterDropDown(TDBColumn& column) {
    auto* dropDown = new TFilterDropDown(view_->FilterEntries(column), this);
    dropDown->OnChosen = [this, &column](int index) {
        if (!view_->ChooseFilterEntry(column, index))
            OpenFilterDialog(&column);
    };
    const QRect header = geometry_.HeaderRect(&column);
    dropDown->ShowBelow(mapToGlobal(header.bottomRight()), header.width());
}

void TDataGrid::OpenFilterDialog(TDBColumn* column) {
    TFilterDialog dialog(*view_, column, this);
    dialog.exec();
}

} // namespace trevalo
