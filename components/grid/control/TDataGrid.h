/// \file
/// The grid control: it shows the table view of its level and turns the user's mouse and keys
/// into the view's operations; it hosts the navigator bar, the scroll bars and the in-place
/// editors. Its parts: the cell-editing session (GridEditSession), the header's press, carry
/// and sizing (GridHeaderDrag), and the actions that keys and navigator buttons both map to
/// (GridAction), carried out by Perform().
#pragma once

#include "components/forms/PendingInput.h"
#include "components/forms/TComponent.h"
#include "components/grid/control/GridAction.h"
#include "components/grid/control/GridEditSession.h"
#include "components/grid/control/GridGeometry.h"
#include "components/grid/control/GridHeaderDrag.h"
#include "components/grid/control/IGridObserver.h"
#include "components/grid/navigator/INavigatorHost.h"
#include "components/grid/view/TGridLevel.h"

#include <QWidget>
#include <optional>

class QPushButton;
class QScrollBar;

namespace trevalo {

class TDBColumn;
class TDBTableView;
class TGridNavigator;
class TInplaceEdit;

class TDataGrid : public QWidget, public TComponent, private INavigatorHost, public IPendingInput {
    Q_OBJECT
public:
    explicit TDataGrid(QWidget* parent = nullptr);
    ~TDataGrid() override;

    /// Shows the view of the first level.
    void Loaded() override;

    TDBTableView* View() const { return view_; }
    const GridGeometry& Geometry() const { return geometry_; }
    TGridNavigator* Navigator() const { return navigator_; }
    /// The open text editor, or null.
    TInplaceEdit* Editor() const { return edit_.Editor(); }
    /// Whether the focused button cell's editor is open (Ctrl+Enter clicks it).
    bool IsButtonEditorOpen() const { return edit_.IsButtonOpen(); }

    /// Carries out \p action as its key or navigator button asks; a failure propagates.
    void Perform(GridAction action);
    /// Clicks the button cell of \p column in \p row as the mouse does; a failure is shown.
    void ClickButtonCell(int row, TDBColumn& column);

    /// Tells \p observer of every grid's changes from now on; null tells no one. It outlives
    /// every grid.
    static void SetObserver(IGridObserver* observer) { observer_ = observer; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    /// What a left button held on a cell is doing.
    enum class CellPress {
        None,
        ButtonHeld, ///< a row button pressed, the pointer over it
        ButtonAway, ///< a row button pressed, the pointer moved off it
        Text,       ///< a text cell; its editor opens on the release
    };

    bool MayInsert() const override;
    bool MayEdit() const override;
    bool MayDelete() const override;
    bool IsEditing() const override;
    bool AtFirstRow() const override;
    bool AtLastRow() const override;
    bool BookmarkSaved() const override { return false; }
    bool GridEnabled() const override { return isEnabled(); }
    void DoNavigatorAction(NavigatorButton button) override;
    void FocusGridForNavigator() override;
    bool WritePendingInput() override;

    void ViewChanged();
    void Relayout();
    void PlaceScrollBars();
    void PlaceCustomizeButton();
    /// Scrolls the focused cell into view.
    void ScrollToFocus();
    bool HandleGridKey(QKeyEvent* event);
    bool HandleEditorKey(QKeyEvent* event);
    void PressCell(const GridGeometry::Hit& hit, Qt::KeyboardModifiers modifiers);
    void ReleaseCell(CellPress press, QPoint point);
    void PressGroupRow(int row, QPoint point, bool toggle);
    void ToggleGroup(std::optional<bool> expand);
    void PressHeader(const GridGeometry::Hit& hit, QPoint point);
    void OpenFilterDropDown(TDBColumn& column);
    void OpenFilterDialog(TDBColumn* column);
    /// The three bands of actions: moves of the focus, changes of the record, the focused
    /// cell's own.
    void MoveFocus(GridAction action);
    void ChangeRecord(GridAction action);
    void ActOnCell(GridAction action);
    void MoveRowBy(int rows);
    void FocusEdgeRow(bool last);
    void AskAndDelete();
    void ClickButton();
    /// Whether the focus stands on a button cell of a record's row.
    bool OnButtonCell() const;
    void OpenEditor(const QKeyEvent* typed);
    /// The grid or its editor lost the focus; leaving the grid acts on the row.
    void FocusLost(QFocusEvent* event);

    static inline IGridObserver* observer_ = nullptr;

    TDBTableView* view_ = nullptr;
    GridGeometry geometry_;
    GridMetrics metrics_;
    TGridNavigator* navigator_ = nullptr;
    QScrollBar* verticalBar_ = nullptr;
    QScrollBar* horizontalBar_ = nullptr;
    QPushButton* customizeButton_ = nullptr; ///< on the filter box
    TInplaceEdit* editor_ = nullptr;
    GridEditSession edit_;
    GridHeaderDrag header_;

    CellPress cellPress_ = CellPress::None;
    QRect pressedCell_;                  ///< where the pressed cell stood when pressed
    TDBColumn* pressedColumn_ = nullptr; ///< the pressed cell's column
    QByteArray pressedRecord_;           ///< the pressed cell's record, by bookmark
    int topRow_ = 0;
    int scrolledToRow_ = -1; ///< the focus last scrolled into view
    TDBColumn* scrolledToColumn_ = nullptr;
    int scrollX_ = 0;
};

} // namespace trevalo
