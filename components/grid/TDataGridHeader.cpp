// The grid's header actions: click sorting, carrying headers to the group-by box or another
// place, sizing by the right edge, the filter drop-down, and the group rows' expanders.
#include "components/grid/TDBTableView.h"
#include "components/grid/TDataGrid.h"
#include "components/grid/TFilterDialog.h"
#include "components/grid/TFilterDropDown.h"

#include <QApplication>

namespace trevalo {

void TDataGrid::PressHeader(const GridGeometry::Hit& hit, QPoint point) {
    pressedColumn_ = hit.Column;
    pressPoint_ = dragPoint_ = point;
    pressedInGroupBox_ = hit.Where == GridGeometry::Area::GroupedHeader;
    pressedColumnWidth_ = view_->ColumnWidth(*hit.Column, metrics_.DigitWidth);
    if (hit.Where == GridGeometry::Area::FilterButton) {
        OpenFilterDropDown(*hit.Column);
        return;
    }
    mouse_ = hit.Where == GridGeometry::Area::HeaderEdge ? MouseState::Sizing
                                                         : MouseState::HeaderPressed;
    update();
}

void TDataGrid::MoveHeaderPointer(QPoint point) {
    dragPoint_ = point;
    if (mouse_ == MouseState::Sizing) {
        view_->SizeColumn(*pressedColumn_, pressedColumnWidth_ + point.x() - pressPoint_.x());
        return;
    }
    const QPoint moved = point - pressPoint_;
    const int threshold = QApplication::startDragDistance();
    if (mouse_ == MouseState::HeaderPressed &&
        (std::abs(moved.x()) >= threshold || std::abs(moved.y()) >= threshold)) {
        const bool carried = pressedInGroupBox_ || view_->MayMove(*pressedColumn_) ||
                             view_->MayGroup(*pressedColumn_);
        mouse_ = carried ? MouseState::HeaderDragging : MouseState::Idle;
    }
    update();
}

void TDataGrid::ReleaseHeader(MouseState state, QPoint point, Qt::KeyboardModifiers modifiers) {
    if (state == MouseState::HeaderPressed)
        view_->ClickHeader(*pressedColumn_, modifiers.testFlag(Qt::ShiftModifier),
                           modifiers.testFlag(Qt::ControlModifier));
    else if (state == MouseState::HeaderDragging)
        DropHeader(point);
}

void TDataGrid::DropHeader(QPoint point) {
    TDBColumn& column = *pressedColumn_;
    if (geometry_.GroupBox.contains(point)) {
        if (pressedInGroupBox_ || view_->MayGroup(column))
            view_->GroupBy(column, geometry_.GroupLevelAt(point.x()));
        return;
    }
    // Only the header row takes a header back; dropped anywhere else it stays where it was.
    const bool onHeaderRow =
        point.y() >= geometry_.Header.top() && point.y() <= geometry_.Header.bottom() &&
        point.x() >= geometry_.Rows.left() && point.x() <= geometry_.Rows.right();
    if (!onHeaderRow)
        return;
    if (pressedInGroupBox_)
        view_->Ungroup(column, geometry_.HeaderPositionAt(point.x()));
    else if (view_->MayMove(column))
        view_->MoveColumn(column, geometry_.HeaderPositionAt(point.x()));
}

void TDataGrid::PressGroupRow(int row, QPoint point, bool toggle) {
    TDBDataController& data = view_->DataController();
    const bool onExpander = geometry_.ExpanderCell(row, data.RowLevel(row)).contains(point);
    view_->FocusRow(row);
    if (toggle || onExpander)
        ToggleGroup(data.FocusedRow(), std::nullopt);
}

void TDataGrid::ToggleGroup(int row, std::optional<bool> expand) {
    TDBDataController& data = view_->DataController();
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
