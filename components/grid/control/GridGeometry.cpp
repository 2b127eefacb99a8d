#include "components/grid/control/GridGeometry.h"

#include "components/grid/view/TDBTableView.h"

#include <algorithm>

namespace trevalo {

namespace {

constexpr int kGroupedIndent = 6; ///< grouped headers stand this far from the box's left
constexpr int kGroupedTop = 8;    ///< and this far from its top
constexpr int kEdgeGrip = 3;      ///< pixels either side of a header's right edge that size it
constexpr int kFilterButtonWidth = 12;
constexpr int kLevelIndent = 16; ///< each grouping level's expander cell

} // namespace

void GridGeometry::Compute(const TDBTableView& view, const GridMetrics& metrics, QSize size,
                           int topRow, int scrollX) {
    // One pixel of border all round, as the flat look draws it.
    const QRect inner = QRect(QPoint(0, 0), size).adjusted(1, 1, -1, -1);
    ComputeBands(view, metrics, inner);
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
    ComputeColumns(view, metrics, inner.left(), scrollX);
}

void GridGeometry::ComputeBands(const TDBTableView& view, const GridMetrics& metrics,
                                const QRect& inner) {
    int y = inner.top();
    GroupBox = view.OptionsView().GroupByBox
                   ? QRect(inner.left(), y, inner.width(), metrics.GroupBoxHeight)
                   : QRect();
    y += GroupBox.height();
    Header = view.OptionsView().Header ? QRect(inner.left(), y, inner.width(), metrics.HeaderHeight)
                                       : QRect();
    y += Header.height();
    const int stripTop = inner.bottom() + 1 - metrics.ScrollBarExtent;
    const bool filtered = !view.DataController().Filter().IsEmpty();
    FilterBox = filtered ? QRect(inner.left(), stripTop - metrics.FilterBoxHeight, inner.width(),
                                 metrics.FilterBoxHeight)
                         : QRect();
    const int rowsBottom = stripTop - FilterBox.height();
    Rows = QRect(inner.left(), y, inner.width(), std::max(rowsBottom - y, 0));
    Navigator = QRect(inner.left(), stripTop, std::min(metrics.NavigatorWidth, inner.width()),
                      metrics.ScrollBarExtent);
    HorizontalBar = QRect(Navigator.right() + 1, stripTop,
                          std::max(inner.right() - Navigator.right(), 0), metrics.ScrollBarExtent);
}

void GridGeometry::ComputeColumns(const TDBTableView& view, const GridMetrics& metrics, int left,
                                  int scrollX) {
    GroupedHeaders.clear();
    int groupedLeft = GroupBox.left() + kGroupedIndent;
    for (TDBColumn* column : view.GroupedColumns()) {
        const int width = view.ColumnWidth(*column, metrics.DigitWidth);
        GroupedHeaders.append({column, groupedLeft, width});
        groupedLeft += width + kGroupedIndent;
    }
    Columns.clear();
    ContentWidth = 0;
    for (TDBColumn* column : view.VisibleColumns()) {
        const int width = view.ColumnWidth(*column, metrics.DigitWidth);
        Columns.append(
            {column, ContentWidth, width, view.MayFilter(*column), view.MaySize(*column)});
        ContentWidth += width;
    }
    ScrollX = std::clamp(scrollX, 0, std::max(ContentWidth - Rows.width(), 0));
    for (ColumnSpan& span : Columns)
        span.Left += left - ScrollX;
}

QRect GridGeometry::RowRect(int row) const {
    return QRect(Rows.left(), Rows.top() + (row - TopRow) * RowHeight, Rows.width(), RowHeight);
}

const ColumnSpan* GridGeometry::Find(const QList<ColumnSpan>& spans, const TDBColumn* column) {
    const auto found = std::find_if(spans.cbegin(), spans.cend(), [column](const ColumnSpan& span) {
        return span.Column == column;
    });
    return found == spans.cend() ? nullptr : &*found;
}

int GridGeometry::DropIndexAt(const QList<ColumnSpan>& spans, int x) {
    const auto past = std::find_if(spans.cbegin(), spans.cend(), [x](const ColumnSpan& span) {
        return x < span.Left + span.Width / 2;
    });
    return static_cast<int>(past - spans.cbegin());
}

QRect GridGeometry::CellRect(int row, const TDBColumn* column) const {
    const ColumnSpan* span = Find(Columns, column);
    return span ? QRect(span->Left, RowRect(row).top(), span->Width, RowHeight) : QRect();
}

QRect GridGeometry::HeaderRect(const TDBColumn* column) const {
    const ColumnSpan* span = Find(Columns, column);
    return span ? QRect(span->Left, Header.top(), span->Width, Header.height()) : QRect();
}

QRect GridGeometry::FilterButtonRect(const TDBColumn* column) const {
    const ColumnSpan* span = Find(Columns, column);
    if (!span || !span->Filterable)
        return QRect();
    return QRect(span->Left + span->Width - kFilterButtonWidth - 2, Header.top() + 2,
                 kFilterButtonWidth, Header.height() - 4);
}

QRect GridGeometry::ExpanderCell(int row, int level) const {
    const QRect line = RowRect(row);
    return QRect(line.left() + level * kLevelIndent, line.top(), kLevelIndent, line.height());
}

QRect GridGeometry::GroupedHeaderRect(const TDBColumn* column) const {
    const ColumnSpan* span = Find(GroupedHeaders, column);
    return span ? QRect(span->Left, GroupBox.top() + kGroupedTop, span->Width,
                        std::min(Header.height(), GroupBox.height() - kGroupedTop))
                : QRect();
}

int GridGeometry::HeaderPositionAt(int x) const {
    return DropIndexAt(Columns, x);
}

int GridGeometry::GroupLevelAt(int x) const {
    return DropIndexAt(GroupedHeaders, x);
}

GridGeometry::Hit GridGeometry::HitTest(QPoint point) const {
    if (GroupBox.contains(point)) {
        for (const ColumnSpan& span : GroupedHeaders) {
            if (GroupedHeaderRect(span.Column).contains(point))
                return {Area::GroupedHeader, span.Column, -1};
        }
        return {Area::GroupBox, nullptr, -1};
    }
    const bool inHeader = Header.contains(point);
    const bool inRows = Rows.contains(point);
    if (!inHeader && !inRows)
        return {};
    TDBColumn* column = nullptr;
    for (const ColumnSpan& span : Columns) {
        if (inHeader && span.Sizable &&
            std::abs(point.x() - (span.Left + span.Width - 1)) <= kEdgeGrip)
            return {Area::HeaderEdge, span.Column, -1};
        if (point.x() >= span.Left && point.x() < span.Left + span.Width)
            column = span.Column;
    }
    if (inHeader) {
        if (column && FilterButtonRect(column).contains(point))
            return {Area::FilterButton, column, -1};
        return {column ? Area::Header : Area::None, column, -1};
    }
    const int row = TopRow + (point.y() - Rows.top()) / RowHeight;
    if (row >= RowCount)
        return {Area::Rows, column, -1};
    return {column ? Area::Cell : Area::Rows, column, row};
}

int GridGeometry::TopRowShowing(int row) const {
    if (row < TopRow)
        return row;
    if (row >= TopRow + PageRows)
        return row - PageRows + 1;
    return TopRow;
}

int GridGeometry::ScrollXShowing(const TDBColumn* column) const {
    const ColumnSpan* span = Find(Columns, column);
    if (!span)
        return ScrollX;
    if (span->Left < Rows.left())
        return ScrollX - (Rows.left() - span->Left);
    if (span->Left + span->Width > Rows.right() + 1)
        return ScrollX +
               std::min(span->Left + span->Width - Rows.right() - 1, span->Left - Rows.left());
    return ScrollX;
}

} // namespace trevalo
