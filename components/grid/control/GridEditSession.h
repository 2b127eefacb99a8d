/// \file
/// A grid's cell-editing session: the in-place editor open over the focused cell, whether its
/// text still has to be written, and what writing it, closing it or leaving the grid does to
/// the row being edited or inserted.
#pragma once

#include <QString>

class QKeyEvent;
class QWidget;

namespace trevalo {

class GridGeometry;
class TDBColumn;
class TDBTableView;
class TInplaceEdit;

class GridEditSession {
public:
    /// \p editor stands over a cell of \p grid, which takes the focus back when it closes.
    GridEditSession(QWidget& grid, TInplaceEdit& editor)
        : grid_(grid)
        , editor_(editor) {}

    void SetView(TDBTableView* view) { view_ = view; }

    /// The open text editor, or null.
    TInplaceEdit* Editor() const;
    /// Whether the focused button cell's editor is open: Ctrl+Enter clicks it.
    bool IsButtonOpen() const;

    /// Opens the focused cell's editor over its cell in \p geometry; \p typed, the key that
    /// opened it, goes on into it. A button cell's editor opens on a click only.
    void Open(const QKeyEvent* typed, const GridGeometry& geometry);
    /// Opens the button editor of the cell pressed at \p row in \p column.
    void OpenButton(TDBColumn* column, int row) { button_ = {column, row}; }
    void CloseButton() { button_ = {}; }
    /// Closes the text editor, its text unwritten; the focus goes back to the grid.
    void Close();
    /// Writes the editor's text into the record when it changed; raises the field's error.
    void Write();
    /// Writes and closes; false, the error shown and the focus back in the editor, when the
    /// text cannot be written.
    bool TakeFocus();
    /// The focus left the grid: a new row nothing was typed into is dropped when the view
    /// cancels on exit, and typing is written, not posted.
    void Leave();
    /// The user changed the text: the row goes into editing.
    void TextEdited();
    /// The view changed: an editor whose row went away, or whose text no longer belongs to
    /// the row, closes.
    void ViewChanged();
    /// Puts the open editor over its cell.
    void Place(const GridGeometry& geometry);

private:
    /// How far the row being inserted was typed into.
    enum class InsertTyping { NotInserting, Untouched, Typed };

    bool IsUntouchedNewRow() const;
    /// The focused cell's value as the editor of column_ shows it.
    QString CellText() const;

    QWidget& grid_;
    TInplaceEdit& editor_;
    TDBTableView* view_ = nullptr;
    TDBColumn* column_ = nullptr; ///< the column the open text editor edits
    int row_ = -1;
    bool dirty_ = false; ///< typed into since the text was last written
    InsertTyping insertTyping_ = InsertTyping::NotInserting;
    struct {
        TDBColumn* Column = nullptr;
        int Row = -1;
    } button_; ///< open while this cell stays focused
};

} // namespace trevalo
