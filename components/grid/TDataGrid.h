/// \file
/// The grid control: it shows the table view of its level and turns the user's mouse and keys
/// into the view's operations; it hosts the navigator bar, the scroll bars and the in-place
/// editors.
#pragma once

#include "components/forms/PendingInput.h"
#include "components/forms/TComponent.h"
#include "components/grid/GridGeometry.h"
#include "components/grid/INavigatorHost.h"

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <optional>

class QPushButton;
class QScrollBar;

namespace trevalo {

class TDBColumn;
class TDBTableView;
class TGridNavigator;
class TInplaceEdit;

/// Names the view a grid shows.
class TGridLevel : public QObject, public TComponent {
    Q_OBJECT
    Q_PROPERTY(trevalo::TDBTableView* GridView READ GridView WRITE SetGridView)
public:
    explicit TGridLevel(QObject* parent = nullptr)
        : QObject(parent) {}

    TDBTableView* GridView() const { return gridView_; }
    void SetGridView(TDBTableView* view) { gridView_ = view; }

private:
    TDBTableView* gridView_ = nullptr;
};

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
    TInplaceEdit* Editor() const;
    /// Whether the focused button cell's editor is open (Ctrl+Enter clicks it).
    bool IsButtonEditorOpen() const;

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
    /// The modifiers the keys' rules look at.
    static constexpr Qt::KeyboardModifiers kModifiers =
        Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;

    /// What a held mouse button is doing.
    enum class MouseState {
        Idle,
        HeaderPressed,  ///< a header held, not yet moved by the drag threshold
        HeaderDragging, ///< a header being carried to the group-by box or another place
        Sizing,         ///< a header's right edge being dragged
        ButtonPressed,  ///< a row button held down
        CellPressed,    ///< a text cell held; the editor opens on release
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
    /// Scrolls the focused cell into view.
    void ScrollToFocus();
    /// Takes the focus from an open editor to the grid, writing its text; false (after
    /// showing the error, with the focus back in the editor) when the text cannot be written.
    bool TakeFocusFromEditor();
    bool HandleGridKey(QKeyEvent* event);
    bool HandleEditorKey(QKeyEvent* event);
    void PressCell(const GridGeometry::Hit& hit, Qt::KeyboardModifiers modifiers);
    void PressGroupRow(int row, QPoint point, bool toggle);
    void ToggleGroup(int row, std::optional<bool> expand);
    void PressHeader(const GridGeometry::Hit& hit, QPoint point);
    void MoveHeaderPointer(QPoint point);
    void ReleaseHeader(MouseState state, QPoint point, Qt::KeyboardModifiers modifiers);
    void DropHeader(QPoint point);
    void OpenFilterDropDown(TDBColumn& column);
    void OpenFilterDialog(TDBColumn* column);
    /// Expands or collapses the focused group row; answers whether \p key did so.
    bool HandleGroupRowKey(int key);
    void MoveRowBy(int rows);
    void AskAndDelete();
    void ClickButton();

    void OpenEditor(QKeyEvent* typed);
    void CloseEditor();
    /// Writes the editor's text into the record when it changed; raises the field's error.
    void WriteEditor();
    void EditorTextEdited();
    /// The grid or its editor lost the focus; leaving the grid acts on the row.
    void FocusLost(QFocusEvent* event);
    void LeaveGrid();
    bool IsUntouchedNewRow() const;
    /// The focused cell's value as the editor of editorColumn_ shows it.
    QString CellText() const;

    TDBTableView* view_ = nullptr;
    GridGeometry geometry_;
    GridMetrics metrics_;
    TGridNavigator* navigator_ = nullptr;
    QScrollBar* verticalBar_ = nullptr;
    QScrollBar* horizontalBar_ = nullptr;
    QPushButton* customizeButton_ = nullptr; ///< on the filter box
    TInplaceEdit* editor_ = nullptr;
    TDBColumn* editorColumn_ = nullptr; ///< the column the open text editor edits
    int editorRow_ = -1;
    bool editorDirty_ = false;     ///< typed into since the text was last written
    bool typedIntoInsert_ = false; ///< the row being inserted was begun to be changed
    bool wasInserting_ = false;
    struct {
        TDBColumn* Column = nullptr;
        int Row = -1;
    } buttonEditor_;          ///< open while this cell stays focused
    bool buttonHeld_ = false; ///< pointer over the pressed button

    MouseState mouse_ = MouseState::Idle;
    QPoint pressPoint_;
    QPoint dragPoint_;
    bool pressedInGroupBox_ = false; ///< the pressed header is a grouped one
    int pressedColumnWidth_ = 0;
    QRect pressedCell_; ///< where the pressed cell stood when pressed
    TDBColumn* pressedColumn_ = nullptr;
    int pressedRow_ = -1;
    int topRow_ = 0;
    int scrolledToRow_ = -1; ///< the focus last scrolled into view
    TDBColumn* scrolledToColumn_ = nullptr;
    int scrollX_ = 0;
};

} // namespace trevalo
