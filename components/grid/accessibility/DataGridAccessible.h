/// \file
/// A grid as assistive technology sees it: a table of the shown rows (group rows included)
/// and the shown columns. Its children are the column headers, then the cells row by row,
/// then the grid's shown child widgets (editor, scroll bars, navigator). It follows the grid's
/// changes and tells them as table, name and focus events.
#pragma once

#include "components/grid/accessibility/GridTableChange.h"

#include <QAccessibleWidget>
#include <QHash>
#include <optional>
#include <utility>

namespace trevalo {

class TDataGrid;

class DataGridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit DataGridAccessible(TDataGrid* grid);
    ~DataGridAccessible() override;

    /// The header of shown column \p column.
    QAccessibleInterface* HeaderCell(int column) const;
    /// Tells what changed since last told: the table's rows or texts, the focused cell.
    void Follow();
    /// Tells that the focused cell has the focus, when the grid has it and it was not told.
    void TellFocus();
    /// The grid took the focus: its focused cell is to be told again.
    void FocusEntered();

    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* focusChild() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override;
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override;
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int row) const override;
    // The selection is the focused row; a reader moves it by moving the focus.
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent* event) override;

private:
    TDataGrid* Grid() const;
    /// The child at \p row (-1: the header row) and \p column, made once and kept until the
    /// table changes.
    QAccessibleInterface* Cell(int row, int column) const;
    int CellIndex(int row, int column) const { return (row + 1) * columnCount() + column; }
    /// The shown child widgets, after the cells.
    QList<QWidget*> ShownWidgets() const;
    GridTablePicture Picture() const;
    /// The focused cell's row and column; a group row's is its first; -1 for none.
    std::pair<int, int> FocusedCell() const;
    void ForgetCells();
    /// Tells the focused cell, or the table itself when no cell has the focus and
    /// \p tableWithoutCell.
    void Tell(bool tableWithoutCell);

    mutable QHash<int, QAccessible::Id> cells_;    ///< by child index
    GridTablePicture told_;                        ///< the table as last told
    std::optional<std::pair<int, int>> focusTold_; ///< the cell last told focused
};

/// Makes the interface of a TDataGrid, for QAccessible::installFactory.
QAccessibleInterface* DataGridAccessibleFactory(const QString& key, QObject* object);
/// The grid's view changed; tells readers, when any listen.
void TellGridChanged(TDataGrid& grid);
/// The grid took the focus; tells readers its focused cell, when any listen, after Qt told
/// them of the grid.
void TellGridFocused(TDataGrid& grid);

} // namespace trevalo
