#include "components/grid/control/GridHeaderDrag.h"

#include "components/grid/view/TDBTableView.h"

#include <QApplication>
#include <cstdlib>
#include <utility>

namespace trevalo {

QRect GridHeaderDrag::DragRect(int headerHeight) const {
    return QRect(dragPoint_ - QPoint(width_ / 2, headerHeight / 2), QSize(width_, headerHeight));
}

void GridHeaderDrag::Press(const GridGeometry::Hit& hit, QPoint point, int width) {
    column_ = hit.Column;
    width_ = width;
    pressPoint_ = dragPoint_ = point;
    fromGroupBox_ = hit.Where == GridGeometry::Area::GroupedHeader;
    state_ = hit.Where == GridGeometry::Area::HeaderEdge ? State::Sizing : State::Pressed;
}

void GridHeaderDrag::Move(TDBTableView& view, QPoint point) {
    dragPoint_ = point;
    if (state_ == State::Sizing) {
        view.SizeColumn(*column_, width_ + point.x() - pressPoint_.x());
        return;
    }
    const QPoint moved = point - pressPoint_;
    const int threshold = QApplication::startDragDistance();
    if (state_ == State::Pressed &&
        (std::abs(moved.x()) >= threshold || std::abs(moved.y()) >= threshold)) {
        const bool carried = fromGroupBox_ || view.MayMove(*column_) || view.MayGroup(*column_);
        state_ = carried ? State::Dragging : State::Idle;
    }
}

void GridHeaderDrag::Release(TDBTableView& view, const GridGeometry& geometry, QPoint point,
                             Qt::KeyboardModifiers modifiers) {
    const State state = std::exchange(state_, State::Idle);
    if (state == State::Pressed)
        view.ClickHeader(*column_, modifiers.testFlag(Qt::ShiftModifier),
                         modifiers.testFlag(Qt::ControlModifier));
    else if (state == State::Dragging)
        Drop(view, geometry, point);
}

void GridHeaderDrag::Drop(TDBTableView& view, const GridGeometry& geometry, QPoint point) const {
    TDBColumn& column = *column_;
    if (geometry.GroupBox.contains(point)) {
        if (fromGroupBox_ || view.MayGroup(column))
            view.GroupBy(column, geometry.GroupLevelAt(point.x()));
        return;
    }
    // Only the header row takes a header back; dropped anywhere else it stays where it was.
    const bool onHeaderRow =
        point.y() >= geometry.Header.top() && point.y() <= geometry.Header.bottom() &&
        point.x() >= geometry.Rows.left() && point.x() <= geometry.Rows.right();
    if (!onHeaderRow)
        return;
    if (fromGroupBox_)
        view.Ungroup(column, geometry.HeaderPositionAt(point.x()));
    else if (view.MayMove(column))
        view.MoveColumn(column, geometry.HeaderPositionAt(point.x()));
}

} // namespace trevalo
