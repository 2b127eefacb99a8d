/// \file
/// Drives a grid of the main window as a user does, with real mouse and key events, and reads
/// back what it shows.
#pragma once

#include "components/grid/control/TDataGrid.h"
#include "components/grid/control/TInplaceEdit.h"
#include "components/grid/navigator/TGridNavigator.h"
#include "components/grid/view/TDBTableView.h"

#include <QColor>
#include <QListWidget>
#include <QStringList>

namespace trevalo {

class GridDriver {
public:
    explicit GridDriver(TDataGrid& grid);

    TDataGrid& Grid() const { return grid_; }
    TDBTableView& View() const { return *grid_.View(); }
    TDBColumn& Column(const char* name) const;

    /// Scrolls \p row into view when needed and answers its cell's centre.
    QPoint CellCenter(int row, const char* column) const;
    void ClickCell(int row, const char* column, Qt::KeyboardModifiers modifiers = {});
    void ClickHeader(const char* column, Qt::KeyboardModifiers modifiers = {});
    void ClickNavigator(NavigatorButton button);
    /// Presses the left button at \p from, moves in steps to \p to and releases there.
    void Drag(QPoint from, QPoint to);
    QPoint HeaderCenter(const char* column) const;
    /// Opens \p column's filter drop-down and answers it (the open popup list).
    QListWidget* OpenFilter(const char* column);
    /// Sends a key to whatever has the focus inside the grid: the editor or the grid.
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {});
    void Type(const QString& text);

    /// The texts that \p column's cells paint, top to bottom, each row scrolled into view to be
    /// painted; what an open editor shows over its cell is not among them.
    QStringList Texts(const char* column) const;
    int FocusedRow() const { return View().DataController().FocusedRow(); }
    /// The colour the cell shows away from its text: its background.
    QColor Background(int row, const char* column) const;

private:
    QWidget* FocusTarget() const;

    TDataGrid& grid_;
};

} // namespace trevalo
