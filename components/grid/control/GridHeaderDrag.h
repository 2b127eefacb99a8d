/// \file
/// A left button held on a grid's header: a press that becomes a click, a header carried to
/// the group-by box or another place, or a right edge dragged to size a column.
#pragma once

#include "components/grid/control/GridGeometry.h"

#include <QPoint>
#include <QRect>
#include <Qt>

namespace trevalo {

class TDBColumn;
class TDBTableView;

class GridHeaderDrag {
public:
    enum class State {
        Idle,
        Pressed,  ///< held, not yet moved by the drag threshold
        Dragging, ///< being carried to the group-by box or another place
        Sizing,   ///< its right edge being dragged
    };

    State Current() const { return state_; }
    bool Active() const { return state_ != State::Idle; }
    /// The header held, while Pressed: it is drawn pressed.
    TDBColumn* PressedColumn() const { return state_ == State::Pressed ? column_ : nullptr; }
    /// The header carried, while Dragging, and where it is drawn under the pointer.
    TDBColumn* DraggedColumn() const { return state_ == State::Dragging ? column_ : nullptr; }
    QRect DragRect(int headerHeight) const;

    /// A press on \p hit, a header or its right edge, whose column is \p width wide.
    void Press(const GridGeometry::Hit& hit, QPoint point, int width);
    /// Sizes the column, or turns a press moved by the drag threshold into a carry when the
    /// header may be carried.
    void Move(TDBTableView& view, QPoint point);
    /// A press released in place is a click that sorts; a carried header is dropped.
    void Release(TDBTableView& view, const GridGeometry& geometry, QPoint point,
                 Qt::KeyboardModifiers modifiers);

private:
    void Drop(TDBTableView& view, const GridGeometry& geometry, QPoint point) const;

    State state_ = State::Idle;
    TDBColumn* column_ = nullptr;
    int width_ = 0;             ///< the column's width when pressed
    bool fromGroupBox_ = false; ///< a grouped column's header, pressed in the group-by box
    QPoint pressPoint_;
    QPoint dragPoint_;
};

} // namespace trevalo
