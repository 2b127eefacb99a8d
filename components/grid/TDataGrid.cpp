#include "components/grid/TDataGrid.h"

#include "components/data/TField.h"
#include "components/grid/GridPainter.h"
#include "components/grid/TDBTableView.h"
#include "components/grid/TGridNavigator.h"
#include "components/grid/TInplaceEdit.h"
#include "platform/QuestionBox.h"
#include "platform/TApplication.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>

namespace trevalo {

TDataGrid::TDataGrid(QWidget* parent)
    : QWidget(parent)
    , verticalBar_(new QScrollBar(Qt::Vertical, this))
    , horizontalBar_(new QScrollBar(Qt::Horizontal, this))
    , customizeButton_(new QPushButton(QStringLiteral("Customize..."), this))
    , editor_(new TInplaceEdit(this)) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true); // the sizing cursor over header edges
    setAttribute(Qt::WA_OpaquePaintEvent);
    for (QScrollBar* bar : {verticalBar_, horizontalBar_})
        bar->setFocusPolicy(Qt::NoFocus);
    verticalBar_->hide();
    connect(verticalBar_, &QScrollBar::valueChanged, this, [this](int value) {
        topRow_ = value;
        Relayout();
    });
    connect(horizontalBar_, &QScrollBar::valueChanged, this, [this](int value) {
        scrollX_ = value;
        Relayout();
    });
    customizeButton_->setFocusPolicy(Qt::NoFocus);
    customizeButton_->hide();
    connect(customizeButton_, &QPushButton::clicked, this, [this] { OpenFilterDialog(nullptr); });
    editor_->OnGridKey = [this](QKeyEvent* event) {
        bool handled = true;
        TApplication::Guard([&] { handled = HandleEditorKey(event); });
        return handled;
    };
    editor_->OnFocusOut = [this](QFocusEvent* event) { FocusLost(event); };
    connect(editor_, &QLineEdit::textEdited, this, &TDataGrid::EditorTextEdited);

    const QFontMetrics metrics = fontMetrics();
    metrics_.RowHeight = std::max(metrics.height() + 6, 19); // room for a 16-pixel glyph
    metrics_.HeaderHeight = metrics.height() + 6;
    metrics_.GroupBoxHeight = metrics_.HeaderHeight + 16; // a grouped header 8 from the top
    metrics_.FilterBoxHeight = metrics.height() + 10;
    metrics_.ScrollBarExtent = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    metrics_.DigitWidth = metrics.horizontalAdvance(QLatin1Char('0'));
}

TDataGrid::~TDataGrid() {
    if (view_)
        view_->OnChanged = nullptr;
}

void TDataGrid::Loaded() {
    const auto* level = findChild<TGridLevel*>();
    if (!level || !level->GridView())
        return;
    view_ = level->GridView();
    view_->OnChanged = [this] { ViewChanged(); };
    if (view_->OptionsView().Navigator) {
        navigator_ = new TGridNavigator(view_->NavigatorButtons(), *this, this);
        navigator_->SetLineHeight(metrics_.ScrollBarExtent);
        navigator_->SetOffset(view_->OptionsView().NavigatorOffset());
        metrics_.NavigatorWidth = navigator_->sizeHint().width();
    }
    ViewChanged();
}

TInplaceEdit* TDataGrid::Editor() const {
    return editorColumn_ ? editor_ : nullptr;
}

bool TDataGrid::IsButtonEditorOpen() const {
    return view_ && buttonEditor_.Column && buttonEditor_.Column == view_->FocusedColumn() &&
           buttonEditor_.Row == view_->DataController().FocusedRow();
}

// ---- following the view ------------------------------------------------------------------

void TDataGrid::ViewChanged() {
    const TWorkingView* data = view_->DataController().View();
    const bool inserting = data && data->State() == TDataSetState::dsInsert;
    if (inserting && !wasInserting_)
        typedIntoInsert_ = false;
    wasInserting_ = inserting;

    // An editor whose row went away, or whose text no longer belongs to the row, closes.
    if (editorColumn_) {
        const int row = view_->DataController().FocusedRow();
        const bool keep = editorDirty_ ? view_->IsEditing() && row == editorRow_
                                       : row == editorRow_ && editor_->text() == CellText();
        if (!keep)
            CloseEditor();
    }
    Relayout();
    ScrollToFocus();
    if (navigator_)
        navigator_->UpdateButtons();
}

void TDataGrid::Relayout() {
    if (!view_)
        return;
    geometry_.Compute(*view_, metrics_, size(), topRow_, scrollX_);
    topRow_ = geometry_.TopRow;
    scrollX_ = geometry_.ScrollX;

    const QSignalBlocker blockVertical(verticalBar_);
    verticalBar_->setVisible(!geometry_.VerticalBar.isEmpty());
    verticalBar_->setGeometry(geometry_.VerticalBar);
    verticalBar_->setRange(0, std::max(geometry_.RowCount - geometry_.PageRows, 0));
    verticalBar_->setPageStep(geometry_.PageRows);
    verticalBar_->setValue(topRow_);

    const QSignalBlocker blockHorizontal(horizontalBar_);
    horizontalBar_->setGeometry(geometry_.HorizontalBar);
    horizontalBar_->setRange(0, std::max(geometry_.ContentWidth - geometry_.Rows.width(), 0));
    horizontalBar_->setPageStep(std::max(geometry_.Rows.width(), 1));
    horizontalBar_->setValue(scrollX_);

    if (navigator_)
        navigator_->setGeometry(geometry_.Navigator);
    customizeButton_->setVisible(!geometry_.FilterBox.isEmpty());
    if (!geometry_.FilterBox.isEmpty()) {
        const QSize size = customizeButton_->sizeHint();
        const QRect box = geometry_.FilterBox;
        customizeButton_->setGeometry(box.right() - size.width() - 2, box.top() + 2, size.width(),
                                      box.height() - 3);
    }
    if (editorColumn_)
        editor_->setGeometry(geometry_.CellRect(view_->DataController().FocusedRow(), editorColumn_)
                                 .adjusted(0, 0, -1, -1));
    update();
}

void TDataGrid::ScrollToFocus() {
    const int row = view_->DataController().FocusedRow();
    // Only a move of the focus scrolls; the user's own scrolling stays put otherwise.
    if (row == scrolledToRow_ && view_->FocusedColumn() == scrolledToColumn_)
        return;
    scrolledToRow_ = row;
    scrolledToColumn_ = view_->FocusedColumn();
    const int top = row < 0 ? topRow_ : geometry_.TopRowShowing(row);
    const int scrollX = geometry_.ScrollXShowing(view_->FocusedColumn());
    if (top == topRow_ && scrollX == scrollX_)
        return;
    topRow_ = top;
    scrollX_ = scrollX;
    Relayout();
}

void TDataGrid::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Relayout();
}

void TDataGrid::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!view_) {
        painter.fillRect(rect(), palette().button());
        return;
    }
    PaintState state;
    state.HasFocus = hasFocus() || editor_->hasFocus();
    state.PressedHeader = mouse_ == MouseState::HeaderPressed ? pressedColumn_ : nullptr;
    if (mouse_ == MouseState::HeaderDragging) {
        state.DraggedHeader = pressedColumn_;
        state.DragRect =
            QRect(dragPoint_ - QPoint(pressedColumnWidth_ / 2, geometry_.Header.height() / 2),
                  QSize(pressedColumnWidth_, geometry_.Header.height()));
    }
    state.PressedButtonColumn =
        mouse_ == MouseState::ButtonPressed && buttonHeld_ ? pressedColumn_ : nullptr;
    GridPainter(painter, palette(), *view_, geometry_).Paint(state);
}

// ---- mouse --------------------------------------------------------------------------------

void TDataGrid::mousePressEvent(QMouseEvent* event) {
    TApplication::Guard([&] {
        if (!view_ || event->button() != Qt::LeftButton)
            return;
        // What the user pointed at, before closing the editor changes anything.
        const QPoint point = event->position().toPoint();
        const GridGeometry::Hit hit = geometry_.HitTest(point);
        if (!TakeFocusFromEditor())
            return;
        setFocus(Qt::MouseFocusReason);
        switch (hit.Where) {
        case GridGeometry::Area::Header:
        case GridGeometry::Area::GroupedHeader:
        case GridGeometry::Area::HeaderEdge:
        case GridGeometry::Area::FilterButton:
            PressHeader(hit, point);
            break;
        case GridGeometry::Area::Cell:
        case GridGeometry::Area::Rows:
            if (hit.Row >= 0 && view_->DataController().IsGroupRow(hit.Row))
                PressGroupRow(hit.Row, point, false);
            else if (hit.Where == GridGeometry::Area::Cell)
                PressCell(hit, event->modifiers());
            break;
        case GridGeometry::Area::GroupBox:
        case GridGeometry::Area::None:
            break;
        }
    });
}

void TDataGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    TApplication::Guard([&] {
        // A second click on a cell acts as a first one; on a header it is no click at all.
        if (!view_ || event->button() != Qt::LeftButton)
            return;
        const GridGeometry::Hit hit = geometry_.HitTest(event->position().toPoint());
        if (hit.Row >= 0 && view_->DataController().IsGroupRow(hit.Row))
            PressGroupRow(hit.Row, event->position().toPoint(), true);
        else if (hit.Where == GridGeometry::Area::Cell)
            mousePressEvent(event);
    });
}

void TDataGrid::PressCell(const GridGeometry::Hit& hit, Qt::KeyboardModifiers modifiers) {
    buttonEditor_ = {};
    // Settling the row being edited may re-sort the rows under the pointer; the button
    // pressed is the one that was there.
    pressedCell_ = geometry_.CellRect(hit.Row, hit.Column);
    view_->FocusRow(hit.Row);
    if (hit.Column->Options().Focusing)
        view_->SetFocusedColumn(hit.Column);
    const int row = view_->DataController().FocusedRow();
    pressedColumn_ = hit.Column;
    if (hit.Column->CellKind() == TDBColumn::Kind::Button &&
        !(modifiers & (Qt::ShiftModifier | Qt::ControlModifier))) {
        buttonEditor_ = {hit.Column, row};
        mouse_ = MouseState::ButtonPressed;
        buttonHeld_ = true;
        update();
    } else if (hit.Column->CellKind() == TDBColumn::Kind::Text) {
        mouse_ = MouseState::CellPressed;
    }
}

void TDataGrid::mouseMoveEvent(QMouseEvent* event) {
    TApplication::Guard([&] {
        const QPoint point = event->position().toPoint();
        switch (mouse_) {
        case MouseState::HeaderPressed:
        case MouseState::HeaderDragging:
        case MouseState::Sizing:
            MoveHeaderPointer(point);
            break;
        case MouseState::ButtonPressed:
            if (const bool held = pressedCell_.contains(point); held != buttonHeld_) {
                buttonHeld_ = held;
                update();
            }
            break;
        case MouseState::Idle:
            if (view_)
                setCursor(geometry_.HitTest(point).Where == GridGeometry::Area::HeaderEdge
                              ? Qt::SplitHCursor
                              : Qt::ArrowCursor);
            break;
        case MouseState::CellPressed:
            break;
        }
    });
}

void TDataGrid::mouseReleaseEvent(QMouseEvent* event) {
    TApplication::Guard([&] {
        if (event->button() != Qt::LeftButton)
            return;
        const MouseState state = std::exchange(mouse_, MouseState::Idle);
        const QPoint point = event->position().toPoint();
        update();
        switch (state) {
        case MouseState::HeaderPressed:
        case MouseState::HeaderDragging:
        case MouseState::Sizing:
            ReleaseHeader(state, point, event->modifiers());
            break;
        case MouseState::ButtonPressed:
            buttonHeld_ = false;
            if (pressedCell_.contains(point))
                ClickButton();
            break;
        case MouseState::CellPressed: {
            const GridGeometry::Hit hit = geometry_.HitTest(point);
            if (hit.Where == GridGeometry::Area::Cell && hit.Column == pressedColumn_ &&
                hit.Row == view_->DataController().FocusedRow() &&
                view_->OptionsBehavior().ImmediateEditor)
                OpenEditor(nullptr);
            break;
        }
        case MouseState::Idle:
            break;
        }
    });
}

void TDataGrid::wheelEvent(QWheelEvent* event) {
    if (verticalBar_->isVisible())
        QApplication::sendEvent(verticalBar_, event);
}

void TDataGrid::ClickButton() {
    if (TDBColumn* column = view_->FocusedColumn();
        column && column->CellKind() == TDBColumn::Kind::Button)
        Fire(column->OnButtonClick, this);
}

// ---- keyboard -----------------------------------------------------------------------------

bool TDataGrid::event(QEvent* event) {
    // Tab moves between cells and never leaves the grid, so it is taken before the focus chain.
    if (event->type() == QEvent::KeyPress && view_) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            TApplication::Guard([&] { HandleGridKey(key); });
            return true;
        }
    }
    return QWidget::event(event);
}

void TDataGrid::keyPressEvent(QKeyEvent* event) {
    bool handled = false;
    TApplication::Guard([&] { handled = view_ && HandleGridKey(event); });
    if (!handled)
        QWidget::keyPressEvent(event);
}

bool TDataGrid::HandleGridKey(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & kModifiers;
    const bool ctrl = modifiers == Qt::ControlModifier;
    TDBDataController& data = view_->DataController();
    if (data.FocusedRow() >= 0 && data.IsGroupRow(data.FocusedRow()) &&
        HandleGroupRowKey(event->key()))
        return true;
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (view_->OptionsBehavior().FocusCellOnTab)
            view_->StepFocusedColumn(event->key() == Qt::Key_Tab ? 1 : -1);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (ctrl && IsButtonEditorOpen())
            ClickButton();
        else if (modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier)
            OpenEditor(nullptr);
        return true;
    case Qt::Key_F2:
        if (modifiers == Qt::NoModifier)
            OpenEditor(nullptr);
        return true;
    case Qt::Key_Insert:
        if (modifiers == Qt::NoModifier)
            view_->InsertRecord();
        return true;
    case Qt::Key_Delete:
        if (modifiers == Qt::NoModifier || ctrl)
            AskAndDelete();
        return true;
    case Qt::Key_Escape:
        if (view_->IsEditing())
            data.View()->Cancel();
        return true;
    case Qt::Key_Up:
        MoveRowBy(-1);
        return true;
    case Qt::Key_Down:
        MoveRowBy(1);
        return true;
    case Qt::Key_PageUp:
        MoveRowBy(-geometry_.PageRows);
        return true;
    case Qt::Key_PageDown:
        MoveRowBy(geometry_.PageRows);
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
        view_->StepFocusedColumn(event->key() == Qt::Key_Right ? 1 : -1);
        return true;
    case Qt::Key_Home:
    case Qt::Key_End:
        if (ctrl && data.RowCount() > 0)
            view_->FocusRow(event->key() == Qt::Key_Home ? 0 : data.RowCount() - 1);
        else if (!ctrl)
            view_->FocusEdgeColumn(event->key() == Qt::Key_End);
        return true;
    default:
        break;
    }
    const bool typing = event->key() == Qt::Key_Backspace ||
                        (!event->text().isEmpty() && event->text().front().isPrint() &&
                         !(modifiers & (Qt::ControlModifier | Qt::AltModifier))) ||
                        (ctrl && (event->key() == Qt::Key_V || event->key() == Qt::Key_X));
    if (typing)
        OpenEditor(event);
    return typing;
}

bool TDataGrid::HandleGroupRowKey(int key) {
    const int row = view_->DataController().FocusedRow();
    switch (key) {
    case Qt::Key_Right:
    case Qt::Key_Plus:
        ToggleGroup(row, true);
        return true;
    case Qt::Key_Left:
    case Qt::Key_Minus:
        ToggleGroup(row, false);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        ToggleGroup(row, std::nullopt);
        return true;
    default:
        return false;
    }
}

void TDataGrid::MoveRowBy(int rows) {
    const int focused = view_->DataController().FocusedRow();
    if (focused >= 0)
        view_->FocusRow(focused + rows);
}

void TDataGrid::AskAndDelete() {
    if (!view_->MayDelete())
        return;
    if (view_->OptionsData().DeletingConfirmation &&
        !AskOkCancel(QStringLiteral("Delete record?"), QStringLiteral("Confirm"), this))
        return;
    CloseEditor();
    view_->DeleteFocusedRecord();
}

// ---- the navigator's host -----------------------------------------------------------------

bool TDataGrid::MayInsert() const {
    return view_->MayInsert();
}
bool TDataGrid::MayEdit() const {
    return view_->MayEdit();
}
bool TDataGrid::MayDelete() const {
    return view_->MayDelete();
}
bool TDataGrid::IsEditing() const {
    return view_->IsEditing();
}
bool TDataGrid::AtFirstRow() const {
    const TWorkingView* data = view_->DataController().View();
    return !data || data->Bof();
}
bool TDataGrid::AtLastRow() const {
    const TWorkingView* data = view_->DataController().View();
    return !data || data->Eof();
}

void TDataGrid::FocusGridForNavigator() {
    WriteEditor();
    CloseEditor();
    setFocus(Qt::MouseFocusReason);
}

void TDataGrid::DoNavigatorAction(NavigatorButton button) {
    TDBDataController& data = view_->DataController();
    switch (button) {
    case NavigatorButton::First:
        view_->FocusRow(0);
        break;
    case NavigatorButton::PriorPage:
        MoveRowBy(-geometry_.PageRows);
        break;
    case NavigatorButton::Prior:
        MoveRowBy(-1);
        break;
    case NavigatorButton::Next:
        MoveRowBy(1);
        break;
    case NavigatorButton::NextPage:
        MoveRowBy(geometry_.PageRows);
        break;
    case NavigatorButton::Last:
        view_->FocusRow(data.RowCount() - 1);
        break;
    case NavigatorButton::Insert:
        view_->InsertRecord();
        break;
    case NavigatorButton::Delete:
        AskAndDelete();
        break;
    case NavigatorButton::Edit:
        if (data.View())
            data.View()->Edit();
        break;
    case NavigatorButton::Post:
        view_->PostRecord();
        break;
    case NavigatorButton::Cancel:
        view_->CancelRecord();
        break;
    case NavigatorButton::Refresh:
    case NavigatorButton::SaveBookmark:
    case NavigatorButton::GotoBookmark:
    case NavigatorButton::Filter:
        // Bookmarks and filter building are never offered on these bars.
        break;
    }
    if (navigator_)
        navigator_->UpdateButtons();
}

} // namespace trevalo
