#include "components/grid/control/GridPainter.h"

#include "components/data/TField.h"
#include "components/grid/control/GridCellText.h"
#include "components/grid/view/TDBTableView.h"
#include "platform/ColorValue.h"
#include "platform/PixelLines.h"

#include <QApplication>
#include <QStyle>
#include <QStyleOptionButton>

namespace trevalo {

namespace {

const QString kGroupByText = QStringLiteral("Drag a column header here to group by that column");
const QString kEmptyFilterText = QStringLiteral("<Filter is Empty>");
constexpr int kExpanderSize = 9;
constexpr int kTextMargin = 2;
constexpr int kGroupByIndent = 6;

Qt::Alignment HorizontalAlignment(TDBColumn::TAlignment alignment) {
    switch (alignment) {
    case TDBColumn::taCenter:
        return Qt::AlignHCenter;
    case TDBColumn::taRightJustify:
        return Qt::AlignRight;
    case TDBColumn::taLeftJustify:
        break;
    }
    return Qt::AlignLeft;
}

} // namespace

GridPainter::GridPainter(QPainter& painter, const QPalette& palette, const TDBTableView& view,
                         const GridGeometry& geometry)
    : painter_(painter)
    , palette_(palette)
    , view_(view)
    , geometry_(geometry) {}

void GridPainter::Paint(const PaintState& state) {
    const QRect all = painter_.window();
    painter_.fillRect(all, ResolveColor(SystemColor::BtnFace, palette_));
    painter_.fillRect(geometry_.Rows, ResolveColor(SystemColor::Window, palette_));
    if (!geometry_.GroupBox.isEmpty())
        PaintGroupBox();
    painter_.save();
    painter_.setClipRect(geometry_.Header.united(geometry_.Rows));
    if (!geometry_.Header.isEmpty()) {
        for (const ColumnSpan& span : geometry_.Columns)
            PaintHeader(geometry_.HeaderRect(span.Column), *span.Column,
                        span.Column == state.PressedHeader, span.Filterable);
    }
    painter_.setClipRect(geometry_.Rows);
    const int last = std::min(geometry_.RowCount, geometry_.TopRow + geometry_.PageRows + 1);
    for (int row = geometry_.TopRow; row < last; ++row)
        PaintRow(row, state);
    painter_.restore();
    if (!geometry_.FilterBox.isEmpty())
        PaintFilterBox();
    if (state.DraggedHeader)
        PaintHeader(state.DragRect, *state.DraggedHeader, false, false);
    DrawPixelFrame(painter_, all, ResolveColor(SystemColor::BtnShadow, palette_));
}

void GridPainter::PaintGroupBox() {
    painter_.fillRect(geometry_.GroupBox, ResolveColor(SystemColor::BtnShadow, palette_));
    if (geometry_.GroupedHeaders.isEmpty()) {
        painter_.setPen(ResolveColor(SystemColor::BtnFace, palette_));
        painter_.drawText(geometry_.GroupBox.adjusted(kGroupByIndent, 0, 0, 0),
                          Qt::AlignLeft | Qt::AlignVCenter, kGroupByText);
    }
    for (const ColumnSpan& span : geometry_.GroupedHeaders)
        PaintHeader(geometry_.GroupedHeaderRect(span.Column), *span.Column, false, false);
}

void GridPainter::PaintHeader(const QRect& rect, const TDBColumn& column, bool pressed,
                              bool filterable) {
    painter_.fillRect(rect, ResolveColor(SystemColor::BtnFace, palette_));
    const QColor light = ResolveColor(SystemColor::BtnHighlight, palette_);
    const QColor dark = ResolveColor(SystemColor::BtnShadow, palette_);
    DrawPixelLine(painter_, rect.topLeft(), rect.topRight(), pressed ? dark : light);
    DrawPixelLine(painter_, rect.topLeft(), rect.bottomLeft(), pressed ? dark : light);
    DrawPixelLine(painter_, rect.bottomLeft(), rect.bottomRight(), pressed ? light : dark);
    DrawPixelLine(painter_, rect.topRight(), rect.bottomRight(), pressed ? light : dark);

    QRect text = rect.adjusted(kTextMargin, 1, -kTextMargin, 0);
    if (filterable) {
        const QRect button = geometry_.FilterButtonRect(&column);
        PaintFilterButton(button);
        text.setRight(button.left() - 1);
    }
    const SortOrder order = view_.ColumnSortOrder(column);
    if (order != SortOrder::None) {
        PaintSortMark(QRect(text.right() - 9, rect.top(), 9, rect.height()),
                      order == SortOrder::Ascending);
        text.setRight(text.right() - 10);
    }
    painter_.setPen(ResolveColor(SystemColor::BtnText, palette_));
    painter_.drawText(text.translated(pressed ? 1 : 0, pressed ? 1 : 0),
                      HorizontalAlignment(column.HeaderAlignmentHorz()) | Qt::AlignTop,
                      column.HeaderText(view_.ColumnField(column)));
}

void GridPainter::PaintFilterButton(const QRect& button) {
    DrawPixelFrame(painter_, button, ResolveColor(SystemColor::BtnShadow, palette_));
    const QPoint center = button.center();
    const QColor text = ResolveColor(SystemColor::BtnText, palette_);
    for (int line = 0; line < 3; ++line)
        DrawPixelLine(painter_, QPoint(center.x() - 2 + line, center.y() - 1 + line),
                      QPoint(center.x() + 2 - line, center.y() - 1 + line), text);
}

void GridPainter::PaintSortMark(const QRect& header, bool ascending) {
    const int x = header.left();
    const int y = header.center().y() - 2;
    const QColor shadow = ResolveColor(SystemColor::BtnShadow, palette_);
    for (int line = 0; line < 4; ++line) {
        const int row = ascending ? y + line : y + 3 - line;
        DrawPixelLine(painter_, QPoint(x + 3 - line, row), QPoint(x + 3 + line, row), shadow);
    }
}

void GridPainter::PaintFilterBox() {
    const QRect box = geometry_.FilterBox;
    painter_.fillRect(box, ResolveColor(SystemColor::BtnFace, palette_));
    DrawPixelLine(painter_, box.topLeft(), box.topRight(),
                  ResolveColor(SystemColor::BtnShadow, palette_));
    const TDBDataController& data = view_.DataController();
    QStringList names;
    for (int field = 0; field < data.FieldCount(); ++field)
        names.append(data.Field(field) ? data.Field(field)->DisplayLabel() : QString());
    const QString caption = data.Filter().Caption(names);
    painter_.setPen(ResolveColor(SystemColor::BtnText, palette_));
    painter_.drawText(box.adjusted(kGroupByIndent, 0, -kGroupByIndent, 0),
                      Qt::AlignLeft | Qt::AlignVCenter,
                      caption.isEmpty() ? kEmptyFilterText : caption);
}

void GridPainter::PaintGroupRow(int row, const PaintState& state) {
    const TDBDataController& data = view_.DataController();
    const QRect rect = geometry_.RowRect(row);
    const bool focused = row == data.FocusedRow();
    const CellColors colors = !focused ? CellColors{SystemColor::BtnFace, SystemColor::BtnText}
                              : state.HasFocus ? view_.Styles().ForSelection()
                                               : view_.Styles().ForInactive();
    painter_.fillRect(rect.adjusted(0, 0, 0, -1), ResolveColor(colors.Background, palette_));
    QRect expander(0, 0, kExpanderSize, kExpanderSize);
    expander.moveCenter(geometry_.ExpanderCell(row, data.RowLevel(row)).center());
    const QColor text = ResolveColor(colors.Text, palette_);
    DrawPixelFrame(painter_, expander, text);
    const QPoint c = expander.center();
    DrawPixelLine(painter_, c - QPoint(2, 0), c + QPoint(2, 0), text);
    if (!data.IsExpanded(row))
        DrawPixelLine(painter_, c - QPoint(0, 2), c + QPoint(0, 2), text);
    painter_.setPen(text);
    painter_.drawText(rect.adjusted(expander.right() + 6 - rect.left(), 0, 0, 0),
                      Qt::AlignLeft | Qt::AlignVCenter, GroupRowText(view_, row));
    DrawPixelLine(painter_, rect.bottomLeft(), rect.bottomRight(),
                  ResolveColor(SystemColor::BtnShadow, palette_));
}

void GridPainter::PaintRow(int row, const PaintState& state) {
    const TDBDataController& data = view_.DataController();
    if (data.IsGroupRow(row)) {
        PaintGroupRow(row, state);
        return;
    }
    const bool focusedRow = row == data.FocusedRow();
    const TViewStyles& styles = view_.Styles();
    for (const ColumnSpan& span : geometry_.Columns) {
        const QRect cell(span.Left, geometry_.RowRect(row).top(), span.Width, geometry_.RowHeight);
        const bool focusedCell = focusedRow && span.Column == view_.FocusedColumn();
        const CellColors colors =
            focusedRow && !focusedCell
                ? (state.HasFocus ? styles.ForSelection() : styles.ForInactive())
                : styles.ForContent(row);
        const QRect inside = cell.adjusted(0, 0, -1, -1);
        painter_.fillRect(inside, ResolveColor(colors.Background, palette_));
        painter_.setPen(ResolveColor(colors.Text, palette_));
        PaintCell(row, span, inside, focusedRow && span.Column == state.PressedButtonColumn);
        const QColor line = ResolveColor(SystemColor::BtnShadow, palette_);
        DrawPixelLine(painter_, cell.topRight(), cell.bottomRight(), line);
        DrawPixelLine(painter_, cell.bottomLeft(), cell.bottomRight(), line);
    }
}

void GridPainter::PaintCell(int row, const ColumnSpan& span, const QRect& rect, bool pressed) {
    const TDBColumn& column = *span.Column;
    if (column.CellKind() == TDBColumn::Kind::Button) {
        const QPixmap& glyph = column.Properties().GlyphPixmap();
        const QPoint at = rect.center() - QPoint(glyph.width() / 2, glyph.height() / 2) +
                          QPoint(pressed ? 1 : 0, pressed ? 1 : 0);
        painter_.drawPixmap(at, glyph);
        return;
    }
    if (view_.ColumnFieldIndex(column) < 0)
        return;
    const CacheValue value = CellValue(view_, row, column);
    if (column.CellKind() == TDBColumn::Kind::CheckBox) {
        QStyleOptionButton option;
        option.rect = QRect(0, 0, 13, 13);
        option.rect.moveCenter(rect.center());
        option.palette = palette_;
        const bool* checked = std::get_if<bool>(&value);
        option.state =
            !checked ? QStyle::State_NoChange : (*checked ? QStyle::State_On : QStyle::State_Off);
        if (!checked) {
            option.palette.setCurrentColorGroup(QPalette::Disabled);
            // Grayed is a grey mark, whatever grey the palette gives disabled text.
            option.palette.setColor(QPalette::Disabled, QPalette::Text,
                                    ResolveColor(SystemColor::BtnShadow, palette_));
        } else
            option.state |= QStyle::State_Enabled;
        QApplication::style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter_);
        return;
    }
    const bool number = std::holds_alternative<std::int32_t>(value);
    // The 4 pixels that a column's width adds to its text are the margins, the grid line in
    // the right one: ten digits fit the Init column.
    const QRect text = rect.adjusted(kTextMargin, 0, 1 - kTextMargin, 0);
    QString shown = DisplayText(value);
    // A number cut at either end would read as another number: one too wide keeps its sign and
    // leading digits and ends in an ellipsis.
    if (number)
        shown = painter_.fontMetrics().elidedText(shown, Qt::ElideRight, text.width());
    painter_.drawText(text, (number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter, shown);
}

} // namespace trevalo
