#include "components/grid/accessibility/DataGridAccessible.h"

#include "components/grid/accessibility/GridCellAccessible.h"
#include "components/grid/control/TDataGrid.h"
#include "components/grid/control/TInplaceEdit.h"
#include "components/grid/view/TDBTableView.h"

namespace trevalo {

namespace {

/// The grid's interface while readers listen, else null: then nothing need be told.
TDataGridAccessible* Listening(TDataGrid& grid) {
    if (!QAccessible::isActive())
        return nullptr;
    return dynamic_cast<TDataGridAccessible*>(QAccessible::queryAccessibleInterface(&grid));
}

QAccessibleTableModelChangeEvent::ModelChangeType EventType(GridTableChange::Kind kind) {
    switch (kind) {
    case GridTableChange::Kind::DataChanged:
        return QAccessibleTableModelChangeEvent::DataChanged;
    case GridTableChange::Kind::RowsInserted:
        return QAccessibleTableModelChangeEvent::RowsInserted;
    case GridTableChange::Kind::RowsRemoved:
        return QAccessibleTableModelChangeEvent::RowsRemoved;
    case GridTableChange::Kind::None:
    case GridTableChange::Kind::Reset:
        break;
    }
    return QAccessibleTableModelChangeEvent::ModelReset;
}

} // namespace

TDataGridAccessible::TDataGridAccessible(TDataGrid* grid)
    : QAccessibleWidget(grid, QAccessible::Table)
    , told_(Picture()) {}

TDataGridAccessible::~TDataGridAccessible() {
    ForgetCells();
}

TDataGrid* TDataGridAccessible::Grid() const {
    return static_cast<TDataGrid*>(widget());
}

QAccessibleInterface* TDataGridAccessible::HeaderCell(int column) const {
    return Cell(-1, column);
}

QAccessibleInterface* TDataGridAccessible::Cell(int row, int column) const {
    if (column < 0 || column >= columnCount() || row < -1 || row >= rowCount())
        return nullptr;
    const int index = CellIndex(row, column);
    if (const auto known = cells_.constFind(index); known != cells_.cend())
        return QAccessible::accessibleInterface(*known);
    auto* cell = new GridCellAccessible(*Grid(), row, column);
    cells_.insert(index, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

void TDataGridAccessible::ForgetCells() {
    for (const QAccessible::Id id : std::as_const(cells_))
        QAccessible::deleteAccessibleInterface(id);
    cells_.clear();
}

QList<QWidget*> TDataGridAccessible::ShownWidgets() const {
    QList<QWidget*> shown;
    for (QWidget* child : Grid()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->isHidden() && !child->isWindow())
            shown.append(child);
    }
    return shown;
}

int TDataGridAccessible::columnCount() const {
    const TDBTableView* view = Grid()->View();
    return view ? static_cast<int>(view->VisibleColumns().size()) : 0;
}

int TDataGridAccessible::rowCount() const {
    const TDBTableView* view = Grid()->View();
    return view ? view->DataController().RowCount() : 0;
}

int TDataGridAccessible::childCount() const {
    return CellIndex(rowCount(), 0) + static_cast<int>(ShownWidgets().size());
}

QAccessibleInterface* TDataGridAccessible::child(int index) const {
    const int cells = CellIndex(rowCount(), 0);
    if (index < 0)
        return nullptr;
    if (index < cells)
        return Cell(index / columnCount() - 1, index % columnCount());
    const QList<QWidget*> widgets = ShownWidgets();
    return index - cells < widgets.size()
               ? QAccessible::queryAccessibleInterface(widgets[index - cells])
               : nullptr;
}

int TDataGridAccessible::indexOfChild(const QAccessibleInterface* child) const {
    if (const auto* cell = dynamic_cast<const GridCellAccessible*>(child)) {
        if (!cell->IsOf(Grid()) || !cell->isValid())
            return -1;
        return CellIndex(cell->IsHeader() ? -1 : cell->rowIndex(), cell->columnIndex());
    }
    const int at = child ? static_cast<int>(ShownWidgets().indexOf(child->object())) : -1;
    return at < 0 ? -1 : CellIndex(rowCount(), 0) + at;
}

QAccessibleInterface* TDataGridAccessible::childAt(int x, int y) const {
    const QPoint point = Grid()->mapFromGlobal(QPoint(x, y));
    for (QWidget* widget : ShownWidgets()) {
        if (widget->geometry().contains(point))
            return QAccessible::queryAccessibleInterface(widget);
    }
    const TDBTableView* view = Grid()->View();
    const GridGeometry::Hit hit = Grid()->Geometry().HitTest(point);
    const int column = view ? static_cast<int>(view->VisibleColumns().indexOf(hit.Column)) : -1;
    switch (hit.Where) {
    case GridGeometry::Area::Header:
    case GridGeometry::Area::HeaderEdge:
    case GridGeometry::Area::FilterButton:
        return HeaderCell(column);
    case GridGeometry::Area::Cell:
    case GridGeometry::Area::Rows:
        return Cell(hit.Row,
                    hit.Row >= 0 && view->DataController().IsGroupRow(hit.Row) ? 0 : column);
    default:
        return nullptr;
    }
}

QAccessibleInterface* TDataGridAccessible::focusChild() const {
    if (const TInplaceEdit* editor = Grid()->Editor(); editor && editor->hasFocus())
        return QAccessible::queryAccessibleInterface(const_cast<TInplaceEdit*>(editor));
    if (!Grid()->hasFocus())
        return nullptr;
    const auto [row, column] = FocusedCell();
    return row < 0 ? nullptr : Cell(row, column);
}

void* TDataGridAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessibleInterface* TDataGridAccessible::cellAt(int row, int column) const {
    return row < 0 ? nullptr : Cell(row, column);
}

int TDataGridAccessible::selectedCellCount() const {
    return selectedRowCount() * columnCount();
}

QList<QAccessibleInterface*> TDataGridAccessible::selectedCells() const {
    QList<QAccessibleInterface*> cells;
    for (const int row : selectedRows()) {
        for (int column = 0; column < columnCount(); ++column)
            cells.append(Cell(row, column));
    }
    return cells;
}

QString TDataGridAccessible::columnDescription(int column) const {
    const QAccessibleInterface* header = HeaderCell(column);
    return header ? header->text(QAccessible::Name) : QString();
}

int TDataGridAccessible::selectedRowCount() const {
    return static_cast<int>(selectedRows().size());
}

QList<int> TDataGridAccessible::selectedRows() const {
    const TDBTableView* view = Grid()->View();
    const int row = view ? view->DataController().FocusedRow() : -1;
    return row < 0 ? QList<int>{} : QList<int>{row};
}

bool TDataGridAccessible::isRowSelected(int row) const {
    return row >= 0 && selectedRows().contains(row);
}

void TDataGridAccessible::modelChange(QAccessibleTableModelChangeEvent*) {
    // Cells stand at places; after a change the places hold other cells.
    ForgetCells();
}

GridTablePicture TDataGridAccessible::Picture() const {
    GridTablePicture picture;
    const TDBTableView* view = Grid()->View();
    if (!view)
        return picture;
    const int columns = columnCount();
    for (int column = 0; column < columns; ++column)
        picture.Headers.append(GridCellAccessible(*Grid(), -1, column).text(QAccessible::Name));
    for (int row = 0; row < rowCount(); ++row) {
        QStringList texts;
        for (int column = 0; column < columns; ++column)
            texts.append(GridCellAccessible(*Grid(), row, column).text(QAccessible::Name));
        picture.Rows.append(texts);
    }
    std::tie(picture.FocusedRow, picture.FocusedColumn) = FocusedCell();
    return picture;
}

std::pair<int, int> TDataGridAccessible::FocusedCell() const {
    const TDBTableView* view = Grid()->View();
    if (!view)
        return {-1, -1};
    const TDBDataController& data = view->DataController();
    const int row = data.FocusedRow();
    if (row >= 0 && data.IsGroupRow(row))
        return {row, 0};
    return {row, static_cast<int>(view->VisibleColumns().indexOf(view->FocusedColumn()))};
}

void TDataGridAccessible::Follow() {
    const GridTablePicture before = std::exchange(told_, Picture());
    const GridTableChange change = CompareTables(before, told_);
    if (change.What != GridTableChange::Kind::None) {
        ForgetCells();
        QAccessibleTableModelChangeEvent event(Grid(), EventType(change.What));
        event.setFirstRow(change.First);
        event.setLastRow(change.Last);
        if (change.First >= 0) {
            event.setFirstColumn(0);
            event.setLastColumn(columnCount() - 1);
        }
        QAccessible::updateAccessibility(&event);
    }
    // Inserted, removed or re-sorted rows put another cell at the focused place; when the last
    // row has left, the table itself has the focus.
    bool cellLeft = false;
    if (change.What != GridTableChange::Kind::None &&
        change.What != GridTableChange::Kind::DataChanged) {
        cellLeft = focusTold_ && focusTold_->first >= 0;
        focusTold_.reset();
    }
    Tell(cellLeft);
    const auto [row, column] = FocusedCell();
    if (change.What == GridTableChange::Kind::DataChanged && row >= 0 && column >= 0 &&
        before.Rows.value(row).value(column) != told_.Rows[row][column]) {
        QAccessibleEvent event(Grid(), QAccessible::NameChanged);
        event.setChild(CellIndex(row, column));
        QAccessible::updateAccessibility(&event);
    }
}

void TDataGridAccessible::FocusEntered() {
    focusTold_.reset();
}

void TDataGridAccessible::TellFocus() {
    Tell(false);
}

void TDataGridAccessible::Tell(bool tableWithoutCell) {
    const auto cell = FocusedCell();
    const auto [row, column] = cell;
    const bool onCell = row >= 0 && column >= 0;
    if (!Grid()->hasFocus() || (!onCell && !tableWithoutCell) || focusTold_ == cell)
        return;
    focusTold_ = cell;
    QAccessibleEvent event(Grid(), QAccessible::Focus);
    if (onCell)
        event.setChild(CellIndex(row, column));
    QAccessible::updateAccessibility(&event);
}

QAccessibleInterface* DataGridAccessibleFactory(const QString& key, QObject* object) {
    auto* grid = qobject_cast<TDataGrid*>(object);
    if (!grid || key != QLatin1String(TDataGrid::staticMetaObject.className()))
        return nullptr;
    return new TDataGridAccessible(grid);
}

void TellGridChanged(TDataGrid& grid) {
    if (TDataGridAccessible* table = Listening(grid))
        table->Follow();
}

void TellGridFocused(TDataGrid& grid) {
    TDataGridAccessible* table = Listening(grid);
    if (!table)
        return;
    table->FocusEntered();
    // After the focus event of the grid itself, which Qt sends once the grid has the focus.
    QMetaObject::invokeMethod(
        &grid,
        [&grid] {
            if (TDataGridAccessible* later = Listening(grid))
                later->TellFocus();
        },
        Qt::QueuedConnection);
}

} // namespace trevalo
