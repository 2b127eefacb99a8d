#include "components/grid/GridGeometry.h"

#include "components/grid/TDBTableView.h"

#include <algorithm>

namespace trevalo {

void GridGeometry::Compute(const TDBTableView& view, const GridMetrics& metrics, QSize size,
                           int topRow, int scrollX) {
    // One pixel of border all round, as the flat look draws it.
    const QRect inner = QRect(QPoint(0, 0), size).adjusted(1, 1, -1, -1);
    int y = inner.top();
    GroupBox = view.OptionsView().GroupByBox
                   ? QRect(inner.left(), y, inner.width(), metrics.GroupBoxHeight)
                   : QRect();
    y += GroupBox.height();
    Header = view.OptionsView().Header ? QRect(inner.left(), y, inner.width(), metrics.HeaderHeight)
                                       : QRect();
    y += Header.height();
    const int stripTop = inner.bottom() + 1 - metrics.ScrollBarExtent;
    Rows = QRect(inner.left(), y, inner.width(), std::max(stripTop - y, 0));

    RowHeight = metrics.RowHeight;
    RowCount = view.DataController().RowCount();
    PageRows = std::max(Rows.height() / RowHeight, 1);
    if (RowCount > Rows.height() / RowHeight) {
        VerticalBar = QRect(Rows.right() + 1 - metrics.ScrollBarExtent,
                            Header.isEmpty() ? Rows.top() : Header.top(), metrics.ScrollBarExtent,
                            Rows.bottom() + 1 - Header.top());
        Rows.setRight(VerticalBar.left() - 1);
        Header.setRight(VerticalBar.left() - 1);
    } else {
        VerticalBar = QRect();
    }
    TopRow = std::clamp(topRow, 0, std::max(RowCount - PageRows, 0));

    Navigator = QRect(inner.left(), stripTop, std::min(metrics.NavigatorWidth, inner.width()),
                      metrics.ScrollBarExtent);
    HorizontalBar = QRect(Navigator.right() + 1, stripTop,
                          std::max(inner.right() - Navigator.right(), 0), metrics.ScrollBarExtent);

    Columns.clear();
    ContentWidth = 0;
    for (TDBColumn* column : view.VisibleColumns()) {
        const int width = view.ColumnWidth(*column, metrics.DigitWidth);
        Columns.append({column, ContentWidth, width});
        ContentWidth += width;
    }
    ScrollX = std::clamp(scrollX, 0, std::max(ContentWidth - Rows.width(), 0));
    for (ColumnSpan& span : Columns)
        span.Left += inner.left() - ScrollX;
}

QRect GridGeometry::RowRect(int row) const {
    return QRect(Rows.left(), Rows.top() + (row - TopRow) * RowHeight, Rows.width(), RowHeight);
}

QRect GridGeometry::CellRect(int row, const TDBColumn* column) const {
    for (const ColumnSpan& span : Columns) {
        if (span.Column == column)
            return QRect(span.Left, RowRect(row).top(), span.Width, RowHeight);
    }
    return QRect();
}

QRect GridGeometry::HeaderRect(const TDBColumn* column) const {
    for (const ColumnSpan& span : Columns) {
        if (span.Column == column)
            return QRect(span.Left, Header.top(), span.Width, Header.height());
    }
    return QRect();
}

GridGeometry::Hit GridGeometry::HitTest(QPoint point) const {
    if (GroupBox.contains(point))
        return {Area::GroupBox, nullptr, -1};
    const bool inHeader = Header.contains(point);
    const bool inRows = Rows.contains(point);
    if (!inHeader && !inRows)
        return {};
    TDBColumn* column = nullptr;
    for (const ColumnSpan& span : Columns) {
        if (point.x() >= span.Left && point.x() < span.Left + span.Width)
            column = span.Column;
    }
    if (inHeader)
        return {column ? Area::Header : Area::None, column, -1};
    const int row = TopRow + (point.y() - Rows.top()) / RowHeight;
    if (!column || row >= RowCount)
        return {Area::Rows, column, -1};
    return {Area::Cell, column, row};
}

int GridGeometry::TopRowShowing(int row) const {
    if (row < TopRow)
        return row;
    if (row >= TopRow + PageRows)
        return row - PageRows + 1;
    return TopRow;
}

int GridGeometry::ScrollXShowing(const TDBColumn* column) const {
    for (const ColumnSpan& span : Columns) {
        if (span.Column != column)
            continue;
        if (span.Left < Rows.left())
            return ScrollX - (Rows.left() - span.Left);
        if (span.Left + span.Width > Rows.right() + 1)
            return ScrollX +
                   std::min(span.Left + span.Width - Rows.right() - 1, span.Left - Rows.left());
    }
    return ScrollX;
}

} // namespace trevalo
