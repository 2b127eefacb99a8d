/// \file
/// Where everything of a grid stands: the bands from top to bottom (group-by box, header row,
/// data rows, bottom strip with the navigator and the horizontal scroll bar), the columns'
/// spans and the rows in view. Plain arithmetic over the view's settings and the metrics the
/// control hands it; it touches no widget.
#pragma once

#include <QList>
#include <QRect>

namespace trevalo {

class TDBColumn;
class TDBTableView;

struct GridMetrics {
    int RowHeight = 19;
    int HeaderHeight = 19;
    int FilterBoxHeight = 22;
    int GroupBoxHeight = 35;
    int ScrollBarExtent = 16;
    int DigitWidth = 6;
    int NavigatorWidth = 0; ///< the navigator's buttons plus its offset
};

struct ColumnSpan {
    TDBColumn* Column;
    int Left; ///< in the grid's coordinates, after horizontal scrolling
    int Width;
    bool Filterable = false; ///< its header carries the filter drop-down button
    bool Sizable = false;    ///< its header's right edge can be dragged
};

class GridGeometry {
public:
    enum class Area { None, GroupBox, GroupedHeader, Header, HeaderEdge, FilterButton, Cell, Rows };
    struct Hit {
        Area Where = Area::None;
        TDBColumn* Column = nullptr;
        int Row = -1;
    };

    /// Lays out \p view in a control of \p size; \p topRow is the first row in view and
    /// \p scrollX the horizontal scroll position. Both are clamped to what can be scrolled.
    void Compute(const TDBTableView& view, const GridMetrics& metrics, QSize size, int topRow,
                 int scrollX);

    QRect GroupBox;
    QList<ColumnSpan> GroupedHeaders; ///< the grouped columns' headers inside the group-by box
    QRect Header;
    QRect Rows;      ///< the data area, right of which VerticalBar stands when needed
    QRect FilterBox; ///< empty while no view filter is set
    QRect Navigator; ///< left end of the bottom strip
    QRect HorizontalBar;
    QRect VerticalBar; ///< empty when every row fits
    QList<ColumnSpan> Columns;
    int ContentWidth = 0; ///< all visible columns side by side
    int TopRow = 0;
    int ScrollX = 0;
    int RowCount = 0;
    int PageRows = 1; ///< rows that fit wholly in the data area, at least 1
    int RowHeight = 19;

    QRect RowRect(int row) const;
    QRect CellRect(int row, const TDBColumn* column) const;
    QRect HeaderRect(const TDBColumn* column) const;
    QRect FilterButtonRect(const TDBColumn* column) const;
    /// The cell of a group row's expander box at grouping \p level.
    QRect ExpanderCell(int row, int level) const;
    QRect GroupedHeaderRect(const TDBColumn* column) const;
    /// Where a header dropped at \p x would go among the header row's columns.
    int HeaderPositionAt(int x) const;
    /// Where a header dropped at \p x would go in the grouping list.
    int GroupLevelAt(int x) const;
    Hit HitTest(QPoint point) const;
    /// The top row that shows \p row wholly, moving as little as possible.
    int TopRowShowing(int row) const;
    /// The horizontal scroll position that shows \p column wholly, moving as little as
    /// possible; the present one for no column.
    int ScrollXShowing(const TDBColumn* column) const;

private:
    /// The bands from the group-by box down to the bottom strip, inside the border \p inner.
    void ComputeBands(const TDBTableView& view, const GridMetrics& metrics, const QRect& inner);
    /// The columns' spans, from \p left, and the horizontal scroll position.
    void ComputeColumns(const TDBTableView& view, const GridMetrics& metrics, int left,
                        int scrollX);
    static const ColumnSpan* Find(const QList<ColumnSpan>& spans, const TDBColumn* column);
    /// Where a header dropped at \p x would go among \p spans.
    static int DropIndexAt(const QList<ColumnSpan>& spans, int x);
};

} // namespace trevalo
