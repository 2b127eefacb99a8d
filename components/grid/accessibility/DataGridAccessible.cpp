#include "components/grid/accessibility/DataGridAccessible.h"

#include "components/grid/accessibility/GridCellAccessible.h"
#include "components/grid/control/TDataGrid.h"
#include "components/grid/control/TInplaceEdit.h"
#include "components/grid/view/TDBTableView.h"

namespace trevalo {

namespace {

/// The grid's interface while readers listen, else null: then nothing need be told.
DataGridAccessible* Listening(TDataGrid& grid) {
    if (!QAccessible::isActive())
        return nullptr;
    return dynamic_cast<DataGridAccessible*>(QAccessible::queryAccessibleInterface(&grid));
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

DataGridAccessible::DataGridAccessible(TDataGrid* grid)
    : QAccessibleWidget(grid, QAccessible::Table)
    , told_(Picture()) {}

DataGridAccessible::~DataGridAccessible() {
    ForgetCells();
}

TDataGrid* DataGridAccessible::Grid() const {
    return static_cast<TDataGrid*>(widget());
}

QAccessibleInterface* DataGridAccessible::HeaderCell(int column) const {
    return Cell(-1, column);
}

QAccessibleInterface* DataGridAccessible::Cell(int row, int column) const {
    if (column < 0 || column >= columnCount() || row < -1 || row >= rowCount())
        return nullptr;
    const int index = CellIndex(row, column);
    if (const auto known = cells_.constFind(index); known != cells_.cend())
        return QAccessible::accessibleInterface(*known);
    auto* cell = new GridCellAccessible(*Grid(), row, column);
    cells_.insert(index, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

void DataGridAccessible::ForgetCells() {
    for (const QAccessible::Id id : std::as_const(cells_))
        QAccessible::deleteAccessibleInterface(id);
    cells_.clear();
}

QList<QWidget*> DataGridAccessible::ShownWidgets() const {
    QList<QWidget*> shown;
    for (QWidget* child : Grid()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->isHidden() && !child->isWindow())
            shown.append(child);
    }
    return shown;
}

int DataGridAccessible::columnCount() const {
    const TDBTableView* view = Grid()->View();
    return view ? static_cast<int>(view->VisibleColumns().size()) : 0;
}

int DataGridAccessible::rowCount() const {
    const TDBTableView* view = Grid()->View();
    return view ? view->DataController().RowCount() : 0;
}

int DataGridAccessible::childCount() const {
    return CellIndex(rowCount(), 0) + static_cast<int>(ShownWidgets().size());
}

QAccessibleInterface* DataGridAccessible::child(int index) const {
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

int DataGridAccessible::indexOfChild(const QAccessibleInterface* child) const {
    if (const auto* cell = dynamic_cast<const GridCellAccessible*>(child)) {
        if (!cell->IsOf(Grid()) || !cell->isValid())
            return -1;
        return CellIndex(cell->IsHeader() ? -1 : cell->rowIndex(), cell->columnIndex());
    }
    const int at = child ? static_cast<int>(ShownWidgets().indexOf(child->object())) : -1;
    return at < 0 ? -1 : CellIndex(rowCount(), 0) + at;
}

QAccessibleInterface* DataGridAccessible::childAt(int x, int y) const {
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

QAccessibleInterface* DataGridAccessible::focusChild() const {
    if (const TInplaceEdit* editor = Grid()->Editor(); editor && editor->hasFocus())
        return QAccessible::queryAccessibleInterface(const_cast<TInplaceEdit*>(editor));
    if (!Grid()->hasFocus())
        return nullptr;
    const auto [row, column] = FocusedCell();
    return row < 0 ? nullptr : Cell(row, column);
}

void* DataGridAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessibleInterface* DataGridAccessible::cellAt(int row, int column) const {
    return row < 0 ? nullptr : Cell(row, column);
}

int DataGridAccessible::selectedCellCount() const {
    return selectedRowCount() * columnCount();
}

QList<QAccessibleInterface*> DataGridAccessible::selectedCells() const {
    QList<QAccessibleInterface*> cells;
    for (const int row : selectedRows()) {
        for (int column = 0; column < columnCount(); ++column)
            cells.append(Cell(row, column));
    }
    return cells;
}

QString DataGridAccessible::columnDescription(int column) const {
    const QAccessibleInterface* header = HeaderCell(column);
    return header ? header->text(QAccessible::Name) : QString();
}

int DataGridAccessible::selectedRowCount() const {
    return static_cast<int>(selectedRows().size());
}

QList<int> DataGridAccessible::selectedRows() const {
    const TDBTableView* view = Grid()->View();
    const int row = view ? view->DataController().FocusedRow() : -1;
    return row < 0 ? QList<int>{} : QList<int>{row};
}

bool DataGridAccessible::isRowSelected(int row) const {
    return row >= 0 && selectedRows().contains(row);
}

void DataGridAccessible::modelChange(QAccessibleTableModelChangeEvent*) {
    // Cells stand at places; after a change the places hold other cells.
    ForgetCells();
}

GridTablePicture DataGridAccessible::Picture() const {
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

std::pair<int, int> DataGridAccessible::FocusedCell() const {
    const TDBTableView* view = Grid()->View();
    if (!view)
        return {-1, -1};
    const TDBDataController& data = view->DataController();
    const int row = data.FocusedRow();
    if (row >= 0 && data.IsGroupRow(row))
        return {row, 0};
    return {row, static_cast<int>(view->VisibleColumns().indexOf(view->FocusedColumn()))};
}

void DataGridAccessible::Follow() {
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

void DataGridAccessible::FocusEntered() {
    focusTold_.reset();
}

void DataGridAccessible::TellFocus() {
    Tell(false);
}

void DataGridAccessible::Tell(bool tableWithoutCell) {
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
    return new DataGridAccessible(grid);
}

void TellGridChanged(TDataGrid& grid) {
    if (DataGridAccessible* table = Listening(grid))
        table->Follow();
}

void TellGridFocused(TDataGrid& grid) {
    DataGridAccessible* table = Listening(grid);
    if (!table)
        return;
    table->FocusEntered();
    // After the focus event of the grid itself, which Qt sends once the grid has the focus.
    QMetaObject::invokeMethod(
        &grid,
        [&grid] {
            if (DataGridAccessible* later = Listening(grid))
                later->TellFocus();
        },
        Qt::QueuedConnection);
}

} // namespace trevalo
