/// \file
/// A cell of a grid, or the header of one of its columns, as assistive technology sees it.
/// A cell stands at a place (row, column among the shown columns; a header's row is -1); it
/// reads the grid anew on each question, so it never holds a stale text. A button cell is a
/// button, named by its row and described by what it does; its press clicks it.
#pragma once

#include "platform/PressableAccessible.h"

#include <QAccessibleInterface>
#include <QPointer>

namespace trevalo {

class TDBColumn;
class TDataGrid;

class GridCellAccessible : public PressableAccessible, public QAccessibleTableCellInterface {
public:
    /// \p row -1 is the column's header.
    GridCellAccessible(TDataGrid& grid, int row, int column);

    bool IsOf(const TDataGrid* grid) const { return grid_ == grid; }
    bool IsHeader() const { return row_ < 0; }

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QString text(QAccessible::Text t) const override;
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;
    /// A button cell is labelled by its row's first text cell.
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation match = QAccessible::AllRelations) const override;

    bool isSelected() const override;
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

protected:
    /// Only a button cell is pressed.
    bool MayPress() const override;
    void Press() override;

private:
    /// The cell's column, or null when it no longer stands.
    TDBColumn* Column() const;
    bool IsGroupRow() const;
    /// Whether the cell's row is the record being inserted.
    bool IsNewRow() const;
    /// What a button cell does and how to press it; where a new row's cell stands.
    QString Description(const TDBColumn& column) const;
    bool IsFocused() const;

    QPointer<TDataGrid> grid_;
    int row_;
    int column_;
};

} // namespace trevalo
