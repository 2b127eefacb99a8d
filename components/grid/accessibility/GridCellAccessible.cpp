#include "components/grid/accessibility/GridCellAccessible.h"

#include "components/data/TWorkingView.h"
#include "components/grid/accessibility/DataGridAccessible.h"
#include "components/grid/control/GridCellText.h"
#include "components/grid/control/TDataGrid.h"
#include "components/grid/view/TDBTableView.h"

namespace trevalo {

GridCellAccessible::GridCellAccessible(TDataGrid& grid, int row, int column)
    : grid_(&grid)
    , row_(row)
    , column_(column) {}

TDBColumn* GridCellAccessible::Column() const {
    if (!grid_ || !grid_->View())
        return nullptr;
    const QList<TDBColumn*> columns = grid_->View()->VisibleColumns();
    if (column_ >= columns.size() || row_ >= grid_->View()->DataController().RowCount())
        return nullptr;
    return columns[column_];
}

bool GridCellAccessible::IsGroupRow() const {
    return !IsHeader() && grid_->View()->DataController().IsGroupRow(row_);
}

bool GridCellAccessible::IsFocused() const {
    const TDBTableView& view = *grid_->View();
    return !IsHeader() && row_ == view.DataController().FocusedRow() &&
           (IsGroupRow() ? column_ == 0 : Column() == view.FocusedColumn());
}

bool GridCellAccessible::isValid() const {
    return Column() != nullptr;
}

QWindow* GridCellAccessible::window() const {
    const QAccessibleInterface* table = parent();
    return table ? table->window() : nullptr;
}

QAccessibleInterface* GridCellAccessible::parent() const {
    return grid_ ? QAccessible::queryAccessibleInterface(grid_) : nullptr;
}

QString GridCellAccessible::text(QAccessible::Text t) const {
    const TDBColumn* column = Column();
    if (!column)
        return {};
    if (t == QAccessible::Description)
        return Description(*column);
    if (t != QAccessible::Name)
        return {};
    const TDBTableView& view = *grid_->View();
    if (IsHeader())
        return column->AccessibleName(view.ColumnField(*column));
    if (IsGroupRow())
        return column_ == 0 ? GroupRowText(view, row_) : QString();
    switch (column->CellKind()) {
    case TDBColumn::Kind::Button:
        // The glyph says what the button does; so does the column's name.
        return column->AccessibleName(view.ColumnField(*column));
    case TDBColumn::Kind::CheckBox: {
        const CacheValue value = CellValue(view, row_, *column);
        const bool* checked = std::get_if<bool>(&value);
        const TColumnProperties& properties = column->Properties();
        return !checked ? properties.DisplayGrayed
                        : (*checked ? properties.DisplayChecked : properties.DisplayUnchecked);
    }
    case TDBColumn::Kind::Text:
        break;
    }
    return DisplayText(CellValue(view, row_, *column));
}

QString GridCellAccessible::Description(const TDBColumn& column) const {
    if (IsHeader() || IsGroupRow())
        return {};
    if (column.CellKind() == TDBColumn::Kind::Button) {
        const QString press = QStringLiteral("Press Space.");
        return column.AccessibleDescription().isEmpty()
                   ? press
                   : column.AccessibleDescription() + QLatin1Char(' ') + press;
    }
    // A reader reads a row it has not been on as a whole, leaving out its blank cells: the
    // blank new row would not say where the cursor is.
    if (IsNewRow())
        return QStringLiteral("New row, ") +
               column.AccessibleName(grid_->View()->ColumnField(column));
    return {};
}

bool GridCellAccessible::IsNewRow() const {
    const TWorkingView* data = grid_->View()->DataController().View();
    return data && data->State() == TDataSetState::dsInsert &&
           row_ == grid_->View()->DataController().FocusedRow();
}

QRect GridCellAccessible::rect() const {
    const TDBColumn* column = Column();
    if (!column)
        return {};
    const GridGeometry& geometry = grid_->Geometry();
    const QRect local = IsHeader() ? geometry.HeaderRect(column) : geometry.CellRect(row_, column);
    return QRect(grid_->mapToGlobal(local.topLeft()), local.size());
}

QAccessible::Role GridCellAccessible::role() const {
    if (IsHeader())
        return QAccessible::ColumnHeader;
    return MayPress() ? QAccessible::PushButton : QAccessible::Cell;
}

QAccessible::State GridCellAccessible::state() const {
    QAccessible::State state;
    const TDBColumn* column = Column();
    if (!column) {
        state.invalid = true;
        return state;
    }
    const GridGeometry& geometry = grid_->Geometry();
    if (IsHeader()) {
        state.invisible = geometry.Header.isEmpty();
        return state;
    }
    const QRect cell = geometry.CellRect(row_, column);
    state.invisible = !geometry.Rows.intersects(cell);
    state.offscreen = state.invisible;
    state.focusable = IsGroupRow() || column->Options().Focusing;
    state.focused = IsFocused();
    state.selectable = true;
    state.selected = isSelected();
    if (IsGroupRow()) {
        state.expandable = true;
        state.expanded = grid_->View()->DataController().IsExpanded(row_);
    } else if (column->CellKind() == TDBColumn::Kind::CheckBox) {
        const CacheValue value = CellValue(*grid_->View(), row_, *column);
        const bool* checked = std::get_if<bool>(&value);
        state.checkable = true;
        state.checked = checked && *checked;
        state.checkStateMixed = !checked;
    }
    return state;
}

void* GridCellAccessible::interface_cast(QAccessible::InterfaceType type) {
    // A header answers too, with row -1, so that a reader may ask any cell-like child.
    if (type == QAccessible::TableCellInterface)
        return static_cast<QAccessibleTableCellInterface*>(this);
    return PressableAccessible::interface_cast(type);
}

bool GridCellAccessible::isSelected() const {
    return !IsHeader() && grid_ && row_ == grid_->View()->DataController().FocusedRow();
}

QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
GridCellAccessible::relations(QAccessible::Relation match) const {
    // A reader does not read a button's row: the row's first text cell names the button, so
    // that the button says which row it acts on.
    auto* table = dynamic_cast<DataGridAccessible*>(parent());
    if (!(match & QAccessible::Label) || !table || !MayPress())
        return {};
    const QList<TDBColumn*> columns = grid_->View()->VisibleColumns();
    for (qsizetype column = 0; column < columns.size(); ++column) {
        if (columns[column]->CellKind() == TDBColumn::Kind::Text)
            return {{table->cellAt(row_, static_cast<int>(column)), QAccessible::Label}};
    }
    return {};
}

QList<QAccessibleInterface*> GridCellAccessible::columnHeaderCells() const {
    auto* table = dynamic_cast<DataGridAccessible*>(parent());
    if (!table || IsHeader() || !isValid())
        return {};
    return {table->HeaderCell(column_)};
}

bool GridCellAccessible::MayPress() const {
    const TDBColumn* column = Column();
    return column && !IsHeader() && !IsGroupRow() && column->CellKind() == TDBColumn::Kind::Button;
}

void GridCellAccessible::Press() {
    grid_->ClickButtonCell(row_, *Column());
}

} // namespace trevalo
