/// \file
/// Paints a table view as its geometry places it: the group-by box, the header row with sort
/// marks, the data rows with their stripes, selection and grid lines, and the cells' glyph
/// buttons and check boxes.
#pragma once

#include "components/grid/control/GridGeometry.h"

#include <QPainter>
#include <QPalette>

namespace trevalo {

class TDBTableView;

/// What the grid's input adds to the picture.
struct PaintState {
    bool HasFocus = false;
    const TDBColumn* PressedHeader = nullptr;
    const TDBColumn* PressedButtonColumn = nullptr; ///< in the focused row, while held down
    const TDBColumn* DraggedHeader = nullptr;
    QRect DragRect; ///< where the dragged header follows the pointer
};

class GridPainter {
public:
    GridPainter(QPainter& painter, const QPalette& palette, const TDBTableView& view,
                const GridGeometry& geometry);

    void Paint(const PaintState& state);

private:
    void PaintGroupBox();
    void PaintHeader(const QRect& rect, const TDBColumn& column, bool pressed, bool filterable);
    void PaintFilterButton(const QRect& button);
    void PaintRow(int row, const PaintState& state);
    void PaintGroupRow(int row, const PaintState& state);
    void PaintFilterBox();
    void PaintCell(int row, const ColumnSpan& span, const QRect& rect, bool pressed);
    void PaintSortMark(const QRect& header, bool ascending);

    QPainter& painter_;
    const QPalette& palette_;
    const TDBTableView& view_;
    const GridGeometry& geometry_;
};

} // namespace trevalo
