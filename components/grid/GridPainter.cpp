#include "components/grid/GridPainter.h"

#include "components/data/TField.h"
#include "components/grid/TDBTableView.h"
#include "platform/ColorValue.h"

#include <QApplication>
#include <QStyle>
#include <QStyleOptionButton>

namespace trevalo {

namespace {

const QString kGroupByText = QStringLiteral("Drag a column header here to group by that column");
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
            PaintHeader(span, span.Column == state.PressedHeader);
    }
    painter_.setClipRect(geometry_.Rows);
    const int last = std::min(geometry_.RowCount, geometry_.TopRow + geometry_.PageRows + 1);
    for (int row = geometry_.TopRow; row < last; ++row)
        PaintRow(row, state);
    painter_.restore();
    painter_.setPen(ResolveColor(SystemColor::BtnShadow, palette_));
    painter_.drawRect(all.adjusted(0, 0, -1, -1));
}

void GridPainter::PaintGroupBox() {
    painter_.fillRect(geometry_.GroupBox, ResolveColor(SystemColor::BtnShadow, palette_));
    painter_.setPen(ResolveColor(SystemColor::BtnFace, palette_));
    painter_.drawText(geometry_.GroupBox.adjusted(kGroupByIndent, 0, 0, 0),
                      Qt::AlignLeft | Qt::AlignVCenter, kGroupByText);
}

void GridPainter::PaintHeader(const ColumnSpan& span, bool pressed) {
    const QRect rect(span.Left, geometry_.Header.top(), span.Width, geometry_.Header.height());
    painter_.fillRect(rect, ResolveColor(SystemColor::BtnFace, palette_));
    const QColor light = ResolveColor(SystemColor::BtnHighlight, palette_);
    const QColor dark = ResolveColor(SystemColor::BtnShadow, palette_);
    painter_.setPen(pressed ? dark : light);
    painter_.drawLine(rect.topLeft(), rect.topRight());
    painter_.drawLine(rect.topLeft(), rect.bottomLeft());
    painter_.setPen(pressed ? light : dark);
    painter_.drawLine(rect.bottomLeft(), rect.bottomRight());
    painter_.drawLine(rect.topRight(), rect.bottomRight());

    const SortOrder order = view_.ColumnSortOrder(*span.Column);
    QRect text = rect.adjusted(kTextMargin, 1, -kTextMargin, 0);
    if (order != SortOrder::None) {
        PaintSortMark(rect, order == SortOrder::Ascending);
        text.setRight(text.right() - 10);
    }
    painter_.setPen(ResolveColor(SystemColor::BtnText, palette_));
    painter_.drawText(text.translated(pressed ? 1 : 0, pressed ? 1 : 0),
                      HorizontalAlignment(span.Column->HeaderAlignmentHorz()) | Qt::AlignTop,
                      span.Column->HeaderText(view_.ColumnField(*span.Column)));
}

void GridPainter::PaintSortMark(const QRect& header, bool ascending) {
    const int x = header.right() - 10;
    const int y = header.center().y() - 2;
    painter_.setPen(ResolveColor(SystemColor::BtnShadow, palette_));
    for (int line = 0; line < 4; ++line) {
        const int row = ascending ? y + line : y + 3 - line;
        painter_.drawLine(x + 3 - line, row, x + 3 + line, row);
    }
}

void GridPainter::PaintRow(int row, const PaintState& state) {
    const TDBDataController& data = view_.DataController();
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
        painter_.setPen(ResolveColor(SystemColor::BtnShadow, palette_));
        painter_.drawLine(cell.topRight(), cell.bottomRight());
        painter_.drawLine(cell.bottomLeft(), cell.bottomRight());
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
    const int field = view_.ColumnFieldIndex(column);
    if (field < 0)
        return;
    const TDBDataController& data = view_.DataController();
    const CacheValue& value = data.Value(data.RowRecord(row), field);
    if (column.CellKind() == TDBColumn::Kind::CheckBox) {
        QStyleOptionButton option;
        option.rect = QRect(0, 0, 13, 13);
        option.rect.moveCenter(rect.center());
        option.palette = palette_;
        const bool* checked = std::get_if<bool>(&value);
        option.state =
            !checked ? QStyle::State_NoChange : (*checked ? QStyle::State_On : QStyle::State_Off);
        if (!checked)
            option.palette.setCurrentColorGroup(QPalette::Disabled);
        else
            option.state |= QStyle::State_Enabled;
        QApplication::style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter_);
        return;
    }
    const bool number = std::holds_alternative<std::int32_t>(value);
    painter_.drawText(rect.adjusted(kTextMargin, 0, -kTextMargin, 0),
                      (number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
                      DisplayText(value));
}

} // namespace trevalo
